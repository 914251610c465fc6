// The recovery copy's timing and removal, with a short delay instead of the program's seconds.

#include "support/files.h"

#include "core/model/error.h"
#include "ui/recoverycopy.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>

using vap::ui::RecoveryCopy;

class RecoveryCopyTest : public QObject {
    Q_OBJECT

private slots:
    void script_data() {
        // c: a change; w: the delay runs out, and then some; s: saved; x: a normal exit;
        // f, k: writes fail, work again; b: a file stands where the state folder goes.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("writes");
        QTest::addColumn<int>("failuresSaid");
        QTest::addColumn<bool>("copyLeft");
        QTest::newRow("changes close together, one write") << "cccccww" << 1 << 0 << true;
        QTest::newRow("saved before the write") << "ccsw" << 0 << 0 << false;
        QTest::newRow("saved after the write") << "cws" << 1 << 0 << false;
        QTest::newRow("exit after the write") << "cwx" << 1 << 0 << false;
        QTest::newRow("changed again after a save") << "cwscw" << 2 << 0 << true;
        QTest::newRow("failing writes, said once") << "fcwcwcw" << 0 << 1 << false;
        QTest::newRow("said again after a write worked") << "fcwkcwfcw" << 1 << 2 << true;
        QTest::newRow("no folder to be made") << "bcwcw" << 0 << 1 << false;
    }
    void script() {
        QFETCH(QString, steps);
        QTemporaryDir dir;
        const QString state = dir.path() + QStringLiteral("/state");
        const QString path = state + QStringLiteral("/vaporina/vaporina.recovery.vap");
        const std::string bytes = "JAN:0:0:100:200:0\r\n";
        int writes = 0;
        bool failing = false;
        RecoveryCopy copy(
            state, QStringLiteral("vaporina.recovery.vap"),
            [&] {
                if (failing)
                    throw vap::Error("Disk full");
                ++writes;
                return bytes;
            },
            40);
        QSignalSpy said(&copy, &RecoveryCopy::failed);
        const std::map<QChar, std::function<void()>> act{
            {'c', [&] { copy.designChanged(); }},
            {'s', [&] { copy.setUnsaved(false); }},
            {'x', [&] { copy.discard(); }},
            {'f', [&] { failing = true; }},
            {'k', [&] { failing = false; }},
            {'b', [&] { vaptest::writeFile(state, QByteArray("x")); }},
            {'w',
             [&] {
                 (void)QTest::qWaitFor([&] { return !copy.writePending(); }), QTest::qWait(80);
             }},
        };
        for (QChar step : steps) {
            act.at(step)();
            QVERIFY(copy.unsaved() || !copy.writePending()); // a saved design gets no write
        }
        QVERIFY(!copy.writePending());
        QTEST(writes, "writes");
        QTEST(static_cast<int>(said.count()), "failuresSaid");
        QTEST(copy.exists(), "copyLeft");
        if (copy.exists()) {
            QCOMPARE(vaptest::readFile(path).toStdString(), bytes);
            QCOMPARE(QFile::permissions(state + QStringLiteral("/vaporina")) & 0x7777,
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                         QFile::WriteUser | QFile::ExeUser);
        }
    }
};

QTEST_GUILESS_MAIN(RecoveryCopyTest)
#include "recoverycopy_test.moc"
