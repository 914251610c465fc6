#include "justone.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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
    // A lock that cannot be had, for whatever reason, counts as another copy running.
    if (lockFile_ < 0 || flock(lockFile_, LOCK_EX | LOCK_NB) != 0) {
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

} // namespace vap::app
