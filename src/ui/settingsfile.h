#pragma once

#include "core/lang/languagecode.h"

#include <QString>

namespace vap::ui {

/**
 * The settings file: an INI file with the interface language under section "Padrao", key
 * "Idioma", both matched without regard to case. Writing changes the value of that one line and
 * keeps every other byte of the file (comments, other keys, order, line ends).
 *
 * A program run from a folder of its own keeps the file beside itself (its name plus ".INI").
 * When that file cannot be written, it is still read, but the language is kept in the same file
 * name in the user's configuration folder, which is read first from then on. A program installed
 * in a system folder (/usr/bin, /usr/local/bin, ...) uses the configuration folder only.
 */
class SettingsFile {
public:
    /** One file, read and written at the same path. */
    explicit SettingsFile(QString path) : readPath_(path), writePath_(std::move(path)) {}
    SettingsFile(QString readPath, QString writePath)
        : readPath_(std::move(readPath)), writePath_(std::move(writePath)) {}

    /** The settings of the program at `programPath`. */
    static SettingsFile forProgram(const QString& programPath);

    const QString& readPath() const { return readPath_; }
    const QString& path() const { return writePath_; }

    /** The longest value read; a longer one is a bad value. */
    static constexpr qsizetype valueRoom = 2047;

    /**
     * The stored text of the language, "1" when the file, section or key is missing; a value
     * longer than valueRoom comes cut to one character more.
     */
    QString readIdiomaText() const;
    /** The stored language; throws vap::Error when the text is not a whole number. */
    LanguageCode readIdioma() const;
    /** Stores the language; throws vap::Error "Unable to write to PATH" when it cannot. */
    void writeIdioma(LanguageCode lingua) const;

private:
    QString readPath_;
    QString writePath_;
};

} // namespace vap::ui
