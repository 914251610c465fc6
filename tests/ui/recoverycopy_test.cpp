// The recovery copy's timing and removal, with a short delay instead of the program's seconds.

#include "support/files.h"

#include "core/files/safewrite.h"
#include "core/model/error.h"
#include "ui/recoverycopy.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using vap::ui::RecoveryCopy;

namespace {

constexpr int delayMs = 40;

/** A copy in a scratch state folder whose writer counts its writes and can be made to fail. */
struct Scratch {
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/state/vaporina/vaporina.recovery.vap");
    int writes = 0;
    bool failing = false;
    std::string bytes = "JAN:0:0:100:200:0\r\n";
    RecoveryCopy copy{path,
                      [this](const std::string& to) {
                          if (failing)
                              throw vap::Error("Disk full");
                          ++writes;
                          vap::writeFileAtomically(to, bytes);
                      },
                      delayMs};

    bool settled() {
        return QTest::qWaitFor([this] { return !copy.writePending(); }, 2000);
    }
};

} // namespace

class RecoveryCopyTest : public QObject {
    Q_OBJECT

private slots:
    void changesCloseTogetherMakeOneWrite() {
        Scratch scratch;
        for (int change = 0; change < 5; ++change)
            scratch.copy.designChanged();
        QVERIFY(!scratch.copy.exists()); // not on every change
        QVERIFY(scratch.settled());
        QCOMPARE(scratch.writes, 1);
        QCOMPARE(vaptest::readFile(scratch.path).toStdString(), scratch.bytes);
        QVERIFY(QFileInfo(QFileInfo(scratch.path).path()).permissions() ==
                (QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                 QFile::WriteUser | QFile::ExeUser));
        QTest::qWait(3 * delayMs);
        QCOMPARE(scratch.writes, 1); // nothing more without a change
    }

    void savedDesignHasNoCopy_data() {
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("byExit");
        QTest::newRow("save before the write") << false << false;
        QTest::newRow("save after the write") << true << false;
        QTest::newRow("exit before the write") << false << true;
        QTest::newRow("exit after the write") << true << true;
    }
    void savedDesignHasNoCopy() {
        QFETCH(bool, written);
        QFETCH(bool, byExit);
        Scratch scratch;
        scratch.copy.designChanged();
        if (written)
            QVERIFY(scratch.settled());
        byExit ? scratch.copy.discard() : scratch.copy.setUnsaved(false);
        QVERIFY(!scratch.copy.unsaved());
        QTest::qWait(3 * delayMs);
        QVERIFY(!scratch.copy.exists());
        QCOMPARE(scratch.writes, written ? 1 : 0);
        scratch.copy.designChanged(); // the next change is protected again
        QVERIFY(scratch.settled());
        QVERIFY(scratch.copy.exists());
    }

    void failureIsSaidOnceUntilAWriteWorks() {
        Scratch scratch;
        QSignalSpy said(&scratch.copy, &RecoveryCopy::failed);
        scratch.failing = true;
        for (int change = 0; change < 3; ++change) {
            scratch.copy.designChanged();
            QVERIFY(scratch.settled());
        }
        QCOMPARE(said.count(), 1);
        QCOMPARE(said.at(0).at(0).toString(), QStringLiteral("Disk full"));
        QVERIFY(scratch.copy.unsaved()); // the design itself is untouched
        scratch.failing = false;
        scratch.copy.designChanged();
        QVERIFY(scratch.settled());
        scratch.failing = true;
        scratch.copy.designChanged();
        QVERIFY(scratch.settled());
        QCOMPARE(said.count(), 2);
    }

    void folderThatCannotBeMadeIsSaidOnce() {
        Scratch scratch;
        QVERIFY(vaptest::writeFile(scratch.dir.path() + QStringLiteral("/state"), QByteArray("x")));
        QSignalSpy said(&scratch.copy, &RecoveryCopy::failed);
        scratch.copy.designChanged();
        QVERIFY(scratch.settled());
        scratch.copy.designChanged();
        QVERIFY(scratch.settled());
        QCOMPARE(said.count(), 1);
        QCOMPARE(said.at(0).at(0).toString(), QStringLiteral("Invalid filename"));
        QCOMPARE(scratch.writes, 0);
    }

    void badCopyIsSetAside() {
        Scratch scratch;
        scratch.copy.designChanged();
        QVERIFY(scratch.settled());
        const QString aside = scratch.copy.setAside();
        QCOMPARE(aside, scratch.path + QStringLiteral(".bad"));
        QVERIFY(!scratch.copy.exists());
        QCOMPARE(vaptest::readFile(aside).toStdString(), scratch.bytes);
    }

    void stateFolderFollowsXdg() {
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", "/var/tmp/state");
        QCOMPARE(RecoveryCopy::pathFor(QStringLiteral("vaporina")),
                 QStringLiteral("/var/tmp/state/vaporina/vaporina.recovery.vap"));
        qputenv("XDG_STATE_HOME", "relative/state"); // not absolute: ignored
        QCOMPARE(RecoveryCopy::stateFolder(), QDir::homePath() + "/.local/state/vaporina");
        qputenv("XDG_STATE_HOME", saved);
    }
};

QTEST_GUILESS_MAIN(RecoveryCopyTest)
#include "recoverycopy_test.moc"
