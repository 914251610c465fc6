#include "settingsfile.h"

#include "core/model/error.h"
#include "core/model/printable.h"
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

/** The start of one line of the file, as readLines gives it. */
struct LineStart {
    QByteArray text;  // at most lineRoom bytes of it, without its line end
    bool cut = false; // the rest of the line was read past
    QByteArray end;   // "\r\n", "\n", a last "\r", or nothing
};

constexpr qint64 lineRoom = 4096;

/**
 * Reads the file a line at a time and keeps at most lineRoom bytes of each line: whatever the file
 * holds, memory stays small and no long text is ever built. Each piece read goes to copy with its
 * line's number; then the line's start goes to visit, which returns false to stop. False when
 * the file could not be read to the end or to that stop.
 */
template <class Copy, class Visit> bool readLines(QIODevice& file, Copy copy, Visit visit) {
    for (qsizetype index = 0; !file.atEnd(); ++index) {
        LineStart line;
        QByteArray piece = file.readLine(lineRoom);
        if (piece.isEmpty())
            return false; // a read error: atEnd would never come
        line.text = piece;
        QByteArray tail = piece.right(2);
        copy(index, piece);
        while (!piece.endsWith('\n') && !file.atEnd()) {
            line.cut = true;
            piece = file.readLine(lineRoom);
            if (piece.isEmpty())
                return false;
            copy(index, piece);
            tail = (tail + piece).right(2);
        }
        line.end = tail.endsWith("\r\n") ? "\r\n"
                   : tail.endsWith('\n') ? "\n"
                   : tail.endsWith('\r') ? "\r"
                                         : "";
        if (!line.cut)
            line.text.chop(line.end.size());
        if (!visit(index, line))
            return true;
    }
    return true;
}

void copyNothing(qsizetype, const QByteArray&) {}

/** The Idioma value of the file; a value longer than valueRoom comes cut to one byte more. */
std::optional<QByteArray> readValue(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    IdiomaFinder finder;
    std::optional<QByteArray> found;
    readLines(file, copyNothing, [&](qsizetype, const LineStart& line) {
        if (!finder.isKey(line.text))
            return true;
        QByteArray value = line.text.mid(line.text.indexOf('=') + 1).trimmed();
        if (line.cut || value.size() > SettingsFile::valueRoom)
            value.truncate(SettingsFile::valueRoom + 1);
        else if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                 value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        found = value;
        return false;
    });
    return found;
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
    if (!value)
        throw Error(notAnIntegerMessage(text.toStdString()));
    return LanguageCode(*value);
}

void SettingsFile::writeIdioma(LanguageCode lingua) const {
    const Error unableToWrite("Unable to write to " + printablePath(writePath_.toStdString()));
    const QByteArray value = QByteArray::number(lingua.code());
    QFile old(writePath_);
    const bool exists = QFileInfo::exists(writePath_);
    if (exists && !old.open(QIODevice::ReadOnly))
        throw unableToWrite;

    // One reading finds where the value goes; a second copies the file with it in place.
    IdiomaFinder finder;
    std::optional<qsizetype> keyLine;
    std::optional<qsizetype> sectionLast; // the last non-blank line of the Padrao section
    QByteArray eol = "\n";                // new lines end as the file's first line does
    bool unchanged = false;
    if (exists) {
        bool read = readLines(old, copyNothing, [&](qsizetype index, const LineStart& line) {
            if (index == 0 && line.end == "\r\n")
                eol = line.end;
            bool key = finder.isKey(line.text);
            if (finder.lastInSection())
                sectionLast = index;
            if (key) {
                keyLine = index;
                unchanged = !line.cut && line.text.mid(line.text.indexOf('=') + 1) == value;
            }
            return !key;
        });
        if (unchanged)
            return;
        if (!read || !old.seek(0))
            throw unableToWrite;
    }
    QByteArray entry = keyName + '=' + value + eol;
    if (!keyLine && !sectionLast)
        entry.prepend('[' + sectionName + ']' + eol);

    QDir().mkpath(QFileInfo(writePath_).absolutePath());
    QSaveFile file(writePath_);
    if (!file.open(QIODevice::WriteOnly))
        throw unableToWrite;
    bool written = true;
    bool atLineStart = true;
    auto write = [&](const QByteArray& bytes) {
        if (bytes.isEmpty())
            return;
        written = written && file.write(bytes) == bytes.size();
        atLineStart = bytes.back() == '\n';
    };
    auto addEntry = [&] {
        if (!atLineStart)
            write(eol);
        write(entry);
    };
    if (exists) {
        written = readLines(
                      old,
                      [&](qsizetype index, const QByteArray& piece) {
                          if (index != keyLine)
                              write(piece);
                      },
                      [&](qsizetype index, const LineStart& line) {
                          if (index == keyLine)
                              write(line.text.left(line.text.indexOf('=') + 1) + value + line.end);
                          else if (index == sectionLast && !keyLine)
                              addEntry();
                          return true;
                      }) &&
                  written;
    }
    if (!keyLine && !sectionLast)
        addEntry();
    if (!written || !file.commit())
        throw unableToWrite;
}

} // namespace vap::ui
