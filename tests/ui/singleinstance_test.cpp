// The single-instance guard, with the real program started as separate processes.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

namespace {

const QString program = QStringLiteral(VAPORINA_BINARY);

/**
 * Copies of the program on the offscreen platform with a runtime folder of their own, so that
 * they meet only each other. Every copy still running is killed at the end.
 */
class Copies {
public:
    Copies() {
        environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path()); // mode 0700
    }
    ~Copies() {
        for (auto& process : processes_) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
    Copies(const Copies&) = delete;
    Copies& operator=(const Copies&) = delete;

    QString runtimeFolder() const { return runtime_.path(); }

    QProcess& start(const QString& path = program,
                    QProcess::ProcessChannelMode channels = QProcess::ForwardedErrorChannel) {
        auto& process = processes_.emplace_back(std::make_unique<QProcess>());
        process->setProcessEnvironment(environment_);
        process->setProcessChannelMode(channels);
        process->start(path, {});
        process->waitForStarted(5000);
        return *process;
    }

private:
    QTemporaryDir runtime_;
    QProcessEnvironment environment_ = QProcessEnvironment::systemEnvironment();
    std::vector<std::unique_ptr<QProcess>> processes_;
};

/** Whether the process holds a file lock, the mark of a copy that took its guard. */
bool holdsLock(const QProcess& process) {
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    const QByteArray pid = QByteArray::number(process.processId());
    for (const QByteArray& line : locks.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 4 && fields[4] == pid)
            return true;
    }
    return false;
}

/** Waits until the copy has taken its guard; false if it ended or took too long. */
bool guarding(const QProcess& process) {
    return QTest::qWaitFor(
               [&] { return process.state() != QProcess::Running || holdsLock(process); }, 10000) &&
           process.state() == QProcess::Running;
}

/** Whether the copy ended by itself within a few seconds, normally and with code 0. */
bool endsAlone(QProcess& process) {
    return process.waitForFinished(8000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

class SingleInstance : public QObject {
    Q_OBJECT

private slots:
    void newCopyStartsAfterTheFirstIsKilled() {
        Copies copies;
        QProcess& first = copies.start();
        QVERIFY(guarding(first));
        first.kill(); // SIGKILL: nothing of the first copy's own clean-up runs
        QVERIFY(first.waitForFinished(5000));
        QProcess& next = copies.start();
        QVERIFY(guarding(next));
        // A second copy ends by itself, and the one that guards goes on.
        QVERIFY(endsAlone(copies.start()));
        QCOMPARE(next.state(), QProcess::Running);
        QVERIFY(holdsLock(next));
    }

    void startsWhenTheLockCannotBeMade() {
        Copies copies;
        // A folder where the lock file should be: it cannot be opened, not even by root.
        QVERIFY(QDir(copies.runtimeFolder()).mkdir(QStringLiteral("vaporina.instance")));
        QProcess& copy = copies.start(program, QProcess::SeparateChannels);
        QVERIFY(!copy.waitForFinished(1500)); // it runs, with its window
        QCOMPARE(copy.state(), QProcess::Running);
        QByteArray said = copy.readAllStandardError();
        QVERIFY2(said.count("starting anyway") == 1, said.constData());
    }

    void copyUnderAnotherNameRunsBeside_data() {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("renamed") << "vaporina-copy";
        QTest::newRow("other letter case") << "VAPORINA";
    }
    void copyUnderAnotherNameRunsBeside() {
        QFETCH(QString, fileName);
        QTemporaryDir folder;
        QString renamed = QDir(folder.path()).filePath(fileName);
        QVERIFY(QFile::link(program, renamed));
        Copies copies;
        QProcess& first = copies.start();
        QVERIFY(guarding(first));
        QProcess& other = copies.start(renamed);
        QVERIFY(guarding(other));
        QTest::qWait(300);
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(other.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(SingleInstance)
#include "singleinstance_test.moc"
