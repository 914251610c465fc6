#include "justone.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
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

QString TXJustOne::lockPathFor(const QString& guardName) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QLatin1Char('/') + guardName + QStringLiteral(".instance");
}

void TXJustOne::Loaded() {
    ownsGuard_ = false;
    QByteArray path = QFile::encodeName(lockPathFor(guardName_));
    lockFile_ = open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFile_ < 0) {
        startUnguarded(path, errno);
        return;
    }
    if (flock(lockFile_, LOCK_EX | LOCK_NB) != 0) {
        int error = errno;
        close(lockFile_);
        lockFile_ = -1;
        // Only a lock held by a running copy means another copy; any other failure lets this
        // one start.
        if (error != EWOULDBLOCK) {
            startUnguarded(path, error);
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

void TXJustOne::startUnguarded(const QByteArray& path, int error) {
    std::fprintf(stderr, "vaporina: no single-instance lock (%s: %s); starting anyway\n",
                 path.constData(), std::strerror(error));
}

} // namespace vap::app
