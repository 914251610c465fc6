#include "settingsfile.h"

#include "core/model/error.h"
#include "core/model/wholenumber.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <unistd.h>

namespace vap::ui {

namespace {

const QString idiomaKey = QStringLiteral("Padrao/Idioma");

bool folderIsWritable(const QString& folder) {
    return access(QFile::encodeName(folder).constData(), W_OK) == 0;
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
    std::optional<std::int32_t> value = wholeNumber(text.toStdString());
    if (!value)
        throw Error(notAnIntegerMessage(text.toStdString()));
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
