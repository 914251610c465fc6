#include "settingsfile.h"

#include "core/model/error.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <limits>
#include <unistd.h>

namespace vap::ui {

namespace {

const QString idiomaKey = QStringLiteral("Padrao/Idioma");

bool folderIsWritable(const QString& folder) {
    return access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

/** A whole decimal number: leading blanks, an optional sign, digits; 32 bits. */
std::optional<int> wholeNumber(const QString& text) {
    QString rest = text;
    while (rest.startsWith(QLatin1Char(' ')))
        rest.remove(0, 1);
    bool ok = false;
    qlonglong value = rest.toLongLong(&ok, 10);
    bool digitsOnly = !rest.isEmpty() && !rest.back().isSpace();
    if (!ok || !digitsOnly || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

QString SettingsFile::pathFor(const QString& programPath) {
    QFileInfo program(programPath);
    QString name = (program.suffix().isEmpty() ? program.fileName() : program.completeBaseName()) +
                   QStringLiteral(".INI");
    QString beside = program.absolutePath() + QLatin1Char('/') + name;
    if (QFileInfo::exists(beside) || folderIsWritable(program.absolutePath()))
        return beside;
    QString config = QStandardPaths::writableLocation(QStandardPaths::ConfigLocation);
    return config + QLatin1Char('/') + name;
}

QString SettingsFile::readIdiomaText() const {
    QSettings settings(path_, QSettings::IniFormat);
    return settings.value(idiomaKey, QStringLiteral("1")).toString();
}

int SettingsFile::readIdioma() const {
    QString text = readIdiomaText();
    std::optional<int> value = wholeNumber(text);
    if (!value)
        throw Error("'" + text.toStdString() + "' is not a valid integer value");
    return *value;
}

void SettingsFile::writeIdioma(int lingua) const {
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSettings settings(path_, QSettings::IniFormat);
    settings.setValue(idiomaKey, QString::number(lingua));
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw Error("Unable to write to " + path_.toStdString());
}

} // namespace vap::ui
