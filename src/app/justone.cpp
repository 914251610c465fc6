#include "justone.h"

#include "core/files/safeplace.h"
#include "core/model/error.h"
#include "core/model/printable.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vap::app {

TXJustOne::TXJustOne(QObject* owner, const QString& guardName)
    : QObject(owner), guardName_(guardName) {
    setObjectName(QStringLiteral("XJustOne1"));
}

TXJustOne::~TXJustOne() {
    if (ownsGuard_ && lockFile_ >= 0)
        close(lockFile_);
}

QString TXJustOne::guardNameFor(const QString& programPath) {
    return QFileInfo(programPath).fileName();
}

std::string TXJustOne::lockNameFor(const QString& guardName, bool sharedFolder) {
    std::string name = QFile::encodeName(guardName).toStdString();
    if (sharedFolder)
        name += "-" + std::to_string(geteuid());
    return name + ".instance";
}

namespace {

/** Why the lock could not be opened, telling apart what another user put in its place. */
std::string whyNotOpened(int folder, const std::string& name, int error) {
    struct stat info {};
    if (fstatat(folder, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(info.st_mode))
            return "a link";
        if (info.st_uid != geteuid())
            return "another user's file";
    }
    return std::strerror(error);
}

} // namespace

void TXJustOne::Loaded() {
    ownsGuard_ = false;
    std::string path;
    try {
        SafeFolder folder = openRuntimeFolder();
        const std::string name = lockNameFor(guardName_, folder.shared());
        path = printablePath(folder.pathOf(name));
        lockFile_ = openat(folder.descriptor(), name.c_str(),
                           O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
        if (lockFile_ < 0) {
            startUnguarded(path + ": " + whyNotOpened(folder.descriptor(), name, errno));
            return;
        }
    } catch (const Error& error) {
        startUnguarded(error.what());
        return;
    }
    struct stat info {};
    if (fstat(lockFile_, &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != geteuid()) {
        close(lockFile_);
        lockFile_ = -1;
        startUnguarded(path + ": another user's file");
        return;
    }
    if (flock(lockFile_, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        close(lockFile_);
        lockFile_ = -1;
        // Only a lock held by a running copy means another copy; any other failure lets this
        // one start.
        if (error != EWOULDBLOCK) {
            startUnguarded(path + ": " + std::strerror(error));
            return;
        }
        foundAnother_ = true;
        emit AlreadyExist(this);
        if (Terminate)
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        return;
    }
    ownsGuard_ = true;
}

void TXJustOne::startUnguarded(const std::string& why) {
    std::fprintf(stderr, "vaporina: no single-instance lock (%s); starting anyway\n", why.c_str());
}

} // namespace vap::app
