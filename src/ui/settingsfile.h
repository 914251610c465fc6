#pragma once

#include <QString>

namespace vap::ui {

/**
 * The settings file: an INI file with the interface language under section "Padrao", key
 * "Idioma". It lies beside the program (its name plus ".INI") when that file exists or its folder
 * is writable, as for a program run from its own folder; otherwise the same file name is used in
 * the user's configuration folder, as for a program installed for the whole system.
 */
class SettingsFile {
public:
    explicit SettingsFile(QString path) : path_(std::move(path)) {}

    /** The path for the program at `programPath`. */
    static QString pathFor(const QString& programPath);

    const QString& path() const { return path_; }

    /** The stored text of the language, "1" when the file, section or key is missing. */
    QString readIdiomaText() const;
    /** The stored language; throws vap::Error when the text is not a whole number. */
    int readIdioma() const;
    /** Stores the language; throws vap::Error "Unable to write to PATH" when it cannot. */
    void writeIdioma(int lingua) const;

private:
    QString path_;
};

} // namespace vap::ui
