#include "recoverycopy.h"

#include "core/files/designfile.h"
#include "core/files/safeplace.h"
#include "core/files/safewrite.h"
#include "core/model/error.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <exception>
#include <fcntl.h>
#include <sys/stat.h>

namespace vap::ui {

namespace {

const std::string ownFolderName = "vaporina";

std::string encoded(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

} // namespace

RecoveryCopy::RecoveryCopy(QString stateFolder, QString fileName, Writer writer, int delayMs,
                           QObject* parent)
    : QObject(parent), stateFolder_(std::move(stateFolder)), fileName_(std::move(fileName)),
      writer_(std::move(writer)) {
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryCopy::write);
}

QString RecoveryCopy::stateFolder() {
    // Qt names the state folder only from 6.7 on; the rule is the XDG one.
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base;
}

QString RecoveryCopy::fileNameFor(const QString& guardName) {
    return guardName + QStringLiteral(".recovery.vap");
}

QString RecoveryCopy::path() const {
    return stateFolder_ + QLatin1Char('/') + QString::fromStdString(ownFolderName) +
           QLatin1Char('/') + fileName_;
}

std::optional<SafeFolder> RecoveryCopy::folder(bool make) const {
    // The state folder is the user's: made private like the program's own when missing.
    SafeFolder state = openSafeFolder(encoded(stateFolder_),
                                      make ? MissingFolders::Make : MissingFolders::Refuse, 0700);
    struct stat info {};
    if (!make &&
        fstatat(state.descriptor(), ownFolderName.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 &&
        errno == ENOENT)
        return std::nullopt; // nothing to find, or to remove, where the folder was never made
    return openPrivateFolder(state, ownFolderName);
}

bool RecoveryCopy::exists() const {
    try {
        std::optional<SafeFolder> copies = folder(false);
        return copies && holdsOwnFile(*copies, encoded(fileName_));
    } catch (const Error&) {
        return false; // a folder that is refused holds no copy of ours
    }
}

DesignFile RecoveryCopy::read() const {
    std::optional<SafeFolder> copies = folder(false);
    if (!copies)
        throw Error("File not found");
    return readDesignFileIn(*copies, encoded(fileName_));
}

QString RecoveryCopy::setAside() {
    try {
        std::optional<SafeFolder> copies = folder(false);
        const std::string name = encoded(fileName_);
        // Left in place when it cannot be moved: the question comes again, and No removes it.
        if (copies && renameat(copies->descriptor(), name.c_str(), copies->descriptor(),
                               (name + ".bad").c_str()) == 0)
            return path() + QStringLiteral(".bad");
    } catch (const Error&) {
    }
    return QString();
}

void RecoveryCopy::designChanged() {
    unsaved_ = true;
    // Not restarted on each change: a steady stream of keystrokes still gets its copy.
    if (!timer_.isActive())
        timer_.start();
}

void RecoveryCopy::setUnsaved(bool unsaved) {
    if (unsaved) {
        designChanged();
        return;
    }
    unsaved_ = false;
    timer_.stop();
    remove();
}

void RecoveryCopy::discard() {
    setUnsaved(false);
}

void RecoveryCopy::write() {
    if (!unsaved_)
        return;
    try {
        SafeFolder copies = *folder(true);
        writeFileAtomically(copies, encoded(fileName_), writer_());
        failureSaid_ = false;
    } catch (const std::exception& error) {
        fail(QString::fromUtf8(error.what()));
    }
}

void RecoveryCopy::remove() {
    std::optional<SafeFolder> copies;
    try {
        copies = folder(false);
    } catch (const Error&) {
        return; // a refused folder was never written in
    }
    try {
        if (copies)
            removeFileIn(*copies, encoded(fileName_));
    } catch (const Error& error) {
        fail(QString::fromUtf8(error.what()));
    }
}

void RecoveryCopy::fail(const QString& message) {
    if (failureSaid_)
        return;
    failureSaid_ = true;
    emit failed(message);
}

} // namespace vap::ui
