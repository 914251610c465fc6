#include "core/lang/language.h"

#include <gtest/gtest.h>

using namespace vap;

// The window tests read these captions off the windows; here, what they are composed of, and
// what applying a language again (the chooser's OK) does to the version text.
TEST(AplicaLingua, ComposesTheCaptionsAndAppliesAgainAfresh) {
    LanguageState english = languageApplied(Language::English);
    EXPECT_EQ(english.mainWindow.openFilter, "Files of the Vaporina|*.vap");
    EXPECT_EQ(english.mainWindow.saveFilter, "Files of the Vaporina|*.vap");
    EXPECT_EQ(composeMainCaption(english), "Vaporina - version 1.02");
    EXPECT_EQ(composeVersaoCaption(english, "Dec", 2026), "Dec - 2026 - version 1.02");
    AplicaLingua(english);
    EXPECT_EQ(english.TextoVersao, "version 1.02");
}

TEST(AplicaLingua, CodeOutsideTheTablesKeepsTheFormTextsAndGrowsTheVersion) {
    LanguageState language = languageApplied(LanguageCode(4));
    EXPECT_EQ(language.mainWindow.menuCaptions, MainWindowTexts::initial().menuCaptions);
    EXPECT_EQ(language.mainWindow.openTitle, "");
    EXPECT_EQ(language.NomeProduto, "");
    EXPECT_EQ(language.PerguntaSair, "");
    EXPECT_EQ(language.TextoVersao, " 1.02");
    AplicaLingua(language);
    EXPECT_EQ(language.TextoVersao, " 1.02 1.02");
}
