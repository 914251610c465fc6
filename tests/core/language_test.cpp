#include "core/lang/datetext.h"
#include "core/lang/language.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace vap;

TEST(AplicaLingua, PutsTheLanguageOnTheMainWindow) {
    LanguageState english = languageApplied(Language::English);
    EXPECT_EQ(english.mainWindow.menuCaption("opc8"), "Cle&ar");
    EXPECT_EQ(english.mainWindow.openTitle, "Open");
    EXPECT_EQ(english.mainWindow.saveFilter, "Files of the Vaporina|*.vap");
    EXPECT_EQ(english.TextoVersao, "version 1.02");
    EXPECT_EQ(english.PerguntaSair, "You really want to leave ?");
    EXPECT_EQ(composeMainCaption(english), "Vaporina - version 1.02");
    EXPECT_EQ(composeVersaoCaption(english, "Dec", 2026), "Dec - 2026 - version 1.02");

    AplicaLingua(english);
    EXPECT_EQ(english.TextoVersao, "version 1.02");

    LanguageState spanish = languageApplied(Language::Spanish);
    EXPECT_EQ(composeMainCaption(spanish), "Vaporina - versión 1.02");
    EXPECT_EQ(spanish.mainWindow.menuCaption("opc7"), "A&horre");
    EXPECT_EQ(spanish.mainWindow.saveTitle, "Ahorre");
}

TEST(AplicaLingua, CodeOutsideTheTablesKeepsTheFormTextsAndGrowsTheVersion) {
    for (int code : {0, 4, -1}) {
        LanguageState language = languageApplied(LanguageCode(code));
        EXPECT_EQ(language.mainWindow.menuCaption("opc2"), "&Caption");
        EXPECT_EQ(language.mainWindow.menuCaption("opc52"), "Classe &Exemplo");
        EXPECT_EQ(language.mainWindow.openTitle, "");
        EXPECT_EQ(language.NomeProduto, "");
        EXPECT_EQ(language.PerguntaSair, "");
        EXPECT_EQ(language.TextoVersao, " 1.02");
        AplicaLingua(language);
        EXPECT_EQ(language.TextoVersao, " 1.02 1.02");
    }
}

TEST(AplicaLingua, PortugueseDiffersFromTheFormInSevenEntries) {
    LanguageState portuguese = languageApplied(Language::Portuguese);
    MainWindowTexts form = MainWindowTexts::initial();
    std::vector<std::string> changed;
    for (const MenuEntryText& entry : mainMenuTextTable()) {
        if (form.menuCaption(entry.component) != portuguese.mainWindow.menuCaption(entry.component))
            changed.emplace_back(entry.component);
    }
    EXPECT_EQ(changed, (std::vector<std::string>{"opc2", "opc3", "opc31", "opc32", "opc52", "opc7",
                                                 "opc8"}));
    EXPECT_EQ(mainMenuTextTable().size(), 15u);
}

TEST(DateText, UsesTheTimeLocalesShortMonth) {
    std::setlocale(LC_TIME, "C");
    DateText december = dateText(2026, 12);
    EXPECT_EQ(december.monthAbbrev, "Dec");
    EXPECT_EQ(december.year, 2026);
    EXPECT_EQ(dateText(1999, 1).monthAbbrev, "Jan");
    EXPECT_GE(todayText().year, 2026);
}
