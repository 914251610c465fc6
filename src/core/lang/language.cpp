#include "language.h"

namespace vap {

void AplicaLingua(LanguageState& language) {
    if (auto chosen = language.Lingua.language()) {
        for (const MenuEntryText& entry : mainMenuTextTable())
            language.mainWindow.menuCaptions[std::string(entry.component)] =
                entry.texts.in(*chosen);
        language.mainWindow.openFilter = designFileFilter.in(*chosen);
        language.mainWindow.openTitle = openDialogTitle.in(*chosen);
        language.mainWindow.saveFilter = designFileFilter.in(*chosen);
        language.mainWindow.saveTitle = saveDialogTitle.in(*chosen);
        language.NomeProduto = productName.in(*chosen);
        language.TextoVersao = versionWord.in(*chosen);
        language.PerguntaSair = exitQuestion.in(*chosen);
    }
    language.TextoVersao += versionNumber;
}

std::string composeMainCaption(const LanguageState& language) {
    return language.NomeProduto + " - " + language.TextoVersao;
}

std::string composeVersaoCaption(const LanguageState& language, const std::string& monthAbbrev,
                                 int year) {
    return monthAbbrev + " - " + std::to_string(year) + " - " + language.TextoVersao;
}

LanguageState languageApplied(LanguageCode lingua) {
    LanguageState language;
    language.Lingua = lingua;
    AplicaLingua(language);
    return language;
}

} // namespace vap
