#pragma once

#include "mainwindowtexts.h"

#include <string>

namespace vap {

inline constexpr Texts3 productName{"Vaporina", "Vaporina", "Vaporina"};
inline constexpr Texts3 versionWord{"versão", "version", "versión"};
inline constexpr const char* versionNumber = " 1.02";
inline constexpr Texts3 exitQuestion{"Você deseja realmente sair ?", "You really want to leave ?",
                                     "Usted realmente quiere salir ?"};

/**
 * The interface language of the running program: the code `Lingua` (1 Portuguese, 2 English,
 * 3 Spanish; 0 until the setting is read), the shared texts, and the main window's texts.
 */
struct LanguageState {
    LanguageCode Lingua;
    std::string NomeProduto;
    std::string TextoVersao;
    std::string PerguntaSair;
    MainWindowTexts mainWindow = MainWindowTexts::initial();
};

/**
 * Puts the texts of the current code on the main window's table and the shared texts. A code
 * outside 1 to 3 sets nothing; " 1.02" is appended to the version text in every case.
 */
void AplicaLingua(LanguageState& language);

/** NomeProduto, " - ", TextoVersao: the main window's caption after start and language changes. */
std::string composeMainCaption(const LanguageState& language);

/** Month, " - ", year, " - ", TextoVersao: the caption of the version entry. */
std::string composeVersaoCaption(const LanguageState& language, const std::string& monthAbbrev,
                                 int year);

/** The shared texts of a code as the program has them right after applying it once. */
LanguageState languageApplied(LanguageCode lingua);

} // namespace vap
