#pragma once

#include "core/lang/language.h"

#include <QString>

#include <string>

namespace vap::ui {

/** The running program's language: the code Lingua, the shared texts, the main window's texts. */
LanguageState& appLanguage();

/**
 * Sets the language code and puts Qt's own texts (message box buttons, input box, file dialog)
 * into that language, from the catalogues of qt6-translations-l10n; without them, or for a code
 * outside Portuguese and Spanish, they stay English.
 */
void setLingua(LanguageCode lingua);

/** The current code, as the windows test it. */
inline LanguageCode Lingua() {
    return appLanguage().Lingua;
}

inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string ss(const QString& text) {
    return text.toStdString();
}

} // namespace vap::ui
