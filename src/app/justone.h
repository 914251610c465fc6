#pragma once

#include <QObject>
#include <QString>

#include <string>

namespace vap::app {

/**
 * The single-instance guard. It holds a lock named after the program's file name in the user's
 * runtime folder; the kernel drops the lock with the process, so a copy that crashed never
 * blocks the next start. A copy that finds the lock held is another copy and should end. The
 * lock is never made through a link nor taken on another user's file: this copy then says why
 * on standard error and starts unguarded.
 */
class TXJustOne : public QObject {
    Q_OBJECT

public:
    explicit TXJustOne(QObject* owner, const QString& guardName);
    ~TXJustOne() override;

    /** Whether to ask the application to quit when another copy runs. */
    bool Terminate = true;

    /** The check, run once the window that holds the guard is built. */
    void Loaded();

    /**
     * True when the check found the lock held by another copy. A lock that cannot be made at
     * all is said on standard error, and this copy starts.
     */
    bool foundAnotherCopy() const { return foundAnother_; }

    /** The guard's name: the program's file name as it was started, extension included. */
    static QString guardNameFor(const QString& programPath);
    /**
     * The lock's file name: the guard name in the user's runtime folder; in a temporary folder
     * that others share, the user's number too, so that users do not stand in each other's way.
     */
    static std::string lockNameFor(const QString& guardName, bool sharedFolder);

signals:
    void AlreadyExist(TXJustOne* sender);

private:
    static void startUnguarded(const std::string& why);

    QString guardName_;
    int lockFile_ = -1;
    bool ownsGuard_ = false;
    bool foundAnother_ = false;
};

} // namespace vap::app
