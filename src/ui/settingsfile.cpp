#include "settingsfile.h"

#include "core/model/error.h"
#include "core/model/wholenumber.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <optional>
#include <unistd.h>

namespace vap::ui {

namespace {

const QByteArray sectionName = "Padrao";
const QByteArray keyName = "Idioma";

bool isWritable(const QString& path) {
    return access(QFile::encodeName(path).constData(), W_OK) == 0;
}

/** Folders of installed programs, which never hold their settings, whoever runs them. */
bool isSystemFolder(const QString& folder) {
    static const QStringList systemFolders{
        QStringLiteral("/usr/bin"),       QStringLiteral("/usr/sbin"),
        QStringLiteral("/usr/local/bin"), QStringLiteral("/usr/local/sbin"),
        QStringLiteral("/usr/games"),     QStringLiteral("/usr/local/games"),
        QStringLiteral("/bin"),           QStringLiteral("/sbin"),
    };
    QString canonical = QFileInfo(folder).canonicalFilePath();
    return systemFolders.contains(folder) || systemFolders.contains(canonical);
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

/** One line of the file: its text without the line end, and where it starts and ends. */
struct Line {
    qsizetype start;
    qsizetype textEnd; // before "\r\n" or "\n"
    qsizetype end;     // after the line end
};

QList<Line> splitLines(const QByteArray& bytes) {
    QList<Line> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype newline = bytes.indexOf('\n', start);
        qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        qsizetype textEnd = newline < 0 ? bytes.size() : newline;
        if (textEnd > start && bytes[textEnd - 1] == '\r')
            --textEnd;
        lines.append({start, textEnd, end});
        start = end;
    }
    return lines;
}

/** Follows the lines of the file as the profile functions read them, one line at a time. */
class IdiomaFinder {
public:
    /** Takes the next line's text (or its start); true when it is the Idioma line. */
    bool isKey(QByteArrayView text) {
        QByteArrayView trimmed = text.trimmed();
        if (trimmed.startsWith('[')) {
            qsizetype close = trimmed.indexOf(']');
            if (close > 0) {
                bool wanted = sameName(trimmed.sliced(1, close - 1).trimmed(), sectionName);
                // Only the first section of that name counts.
                inSection_ = wanted && !sectionSeen_;
                sectionSeen_ = sectionSeen_ || inSection_;
                lastInSection_ = inSection_;
                return false;
            }
        }
        lastInSection_ = inSection_ && !trimmed.isEmpty();
        if (!lastInSection_)
            return false;
        qsizetype equals = trimmed.indexOf('=');
        return !trimmed.startsWith(';') && equals >= 0 &&
               sameName(trimmed.first(equals).trimmed(), keyName);
    }
    /** Whether the last line taken is the section's header or one of its non-blank lines. */
    bool lastInSection() const { return lastInSection_; }

private:
    bool inSection_ = false;
    bool sectionSeen_ = false;
    bool lastInSection_ = false;
};

/** Where the language lives in the file's lines. */
struct Place {
    std::optional<qsizetype> keyLine;     // the Idioma line
    std::optional<qsizetype> sectionLast; // the last non-blank line of the Padrao section
};

Place findIdioma(const QByteArray& bytes, const QList<Line>& lines) {
    Place place;
    IdiomaFinder finder;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool key = finder.isKey(
            QByteArrayView(bytes).sliced(lines[i].start, lines[i].textEnd - lines[i].start));
        if (finder.lastInSection())
            place.sectionLast = i;
        if (key) {
            place.keyLine = i;
            break;
        }
    }
    return place;
}

/**
 * The Idioma value of the file, read a line at a time and at most lineRoom bytes of each line:
 * whatever the file holds, reading it takes little memory and never builds a long text. A value
 * longer than valueRoom comes back cut to valueRoom + 1 bytes.
 */
std::optional<QByteArray> readValue(const QString& path) {
    constexpr qint64 lineRoom = 4096;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    IdiomaFinder finder;
    while (!file.atEnd()) {
        QByteArray line = file.readLine(lineRoom);
        bool cut = !line.endsWith('\n') && !file.atEnd();
        for (QByteArray rest = line; !rest.endsWith('\n') && !file.atEnd();)
            rest = file.readLine(lineRoom); // the rest of a long line is skipped unread
        if (!finder.isKey(line))
            continue;
        QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
        if (cut || value.size() > SettingsFile::valueRoom)
            return value.left(SettingsFile::valueRoom + 1);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return std::nullopt;
}

std::optional<QByteArray> readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

} // namespace

SettingsFile SettingsFile::forProgram(const QString& programPath) {
    QFileInfo program(programPath);
    QString name = (program.suffix().isEmpty() ? program.fileName() : program.completeBaseName()) +
                   QStringLiteral(".INI");
    QString folder = program.absolutePath();
    QString config =
        QStandardPaths::writableLocation(QStandardPaths::ConfigLocation) + QLatin1Char('/') + name;
    if (isSystemFolder(folder))
        return SettingsFile(config);
    QString beside = folder + QLatin1Char('/') + name;
    QFileInfo besideFile(beside);
    if (!besideFile.exists())
        return SettingsFile(isWritable(folder) ? beside : config);
    // Replacing the file safely needs its folder writable too.
    if (besideFile.isFile() && isWritable(beside) && isWritable(folder))
        return SettingsFile(beside);
    return SettingsFile(QFileInfo::exists(config) ? config : beside, config);
}

QString SettingsFile::readIdiomaText() const {
    std::optional<QByteArray> value = readValue(readPath_);
    return value ? QString::fromUtf8(*value) : QStringLiteral("1");
}

LanguageCode SettingsFile::readIdioma() const {
    QString text = readIdiomaText();
    std::optional<std::int32_t> value;
    if (text.size() <= valueRoom)
        value = wholeNumber(text.toStdString());
    if (!value) {
        constexpr qsizetype quoted = 60; // a whole long value would make a box no screen holds
        if (text.size() > quoted)
            text = text.left(quoted) + QStringLiteral("…");
        throw Error(notAnIntegerMessage(text.toStdString()));
    }
    return LanguageCode(*value);
}

void SettingsFile::writeIdioma(LanguageCode lingua) const {
    const Error unableToWrite("Unable to write to " + writePath_.toStdString());
    QByteArray bytes;
    if (QFileInfo::exists(writePath_)) {
        std::optional<QByteArray> old = readBytes(writePath_);
        if (!old)
            throw unableToWrite;
        bytes = *old;
    }
    QList<Line> lines = splitLines(bytes);
    // New lines end as the file's first line does; a new file gets plain line feeds.
    QByteArray eol = !lines.isEmpty() && bytes.mid(lines[0].textEnd, 2) == "\r\n"
                         ? QByteArray("\r\n")
                         : QByteArray("\n");
    QByteArray value = QByteArray::number(lingua.code());
    Place place = findIdioma(bytes, lines);
    QByteArray updated = bytes;
    if (place.keyLine) {
        const Line& line = lines[*place.keyLine];
        qsizetype valueStart = bytes.indexOf('=', line.start) + 1;
        updated.replace(valueStart, line.textEnd - valueStart, value);
    } else {
        QByteArray entry = keyName + '=' + value + eol;
        qsizetype at = bytes.size();
        if (place.sectionLast) {
            at = lines[*place.sectionLast].end;
        } else {
            entry.prepend('[' + sectionName + ']' + eol);
        }
        if (at > 0 && bytes[at - 1] != '\n')
            entry.prepend(eol);
        updated.insert(at, entry);
    }
    if (updated == bytes)
        return;

    QDir().mkpath(QFileInfo(writePath_).absolutePath());
    QSaveFile file(writePath_);
    if (!file.open(QIODevice::WriteOnly) || file.write(updated) != updated.size() || !file.commit())
        throw unableToWrite;
}

} // namespace vap::ui
