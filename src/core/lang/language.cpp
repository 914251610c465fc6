#include "language.h"

namespace vap {

void AplicaLingua(LanguageState& language) {
    int lingua = language.Lingua;
    if (productName.pick(lingua)) {
        for (const MenuEntryText& entry : mainMenuTextTable())
            language.mainWindow.menuCaptions[std::string(entry.component)] =
                *entry.texts.pick(lingua);
        language.mainWindow.openFilter = *designFileFilter.pick(lingua);
        language.mainWindow.openTitle = *openDialogTitle.pick(lingua);
        language.mainWindow.saveFilter = *designFileFilter.pick(lingua);
        language.mainWindow.saveTitle = *saveDialogTitle.pick(lingua);
        language.NomeProduto = *productName.pick(lingua);
        language.TextoVersao = *versionWord.pick(lingua);
        language.PerguntaSair = *exitQuestion.pick(lingua);
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

LanguageState languageApplied(int lingua) {
    LanguageState language;
    language.Lingua = lingua;
    AplicaLingua(language);
    return language;
}

} // namespace vap
