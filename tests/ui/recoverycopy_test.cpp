// The recovery copy's timing and removal, with a short delay instead of the program's seconds,
// and the copies that one run leaves to the next.

#include "support/files.h"
#include "support/scripteddialogs.h"

#include "core/model/error.h"
#include "ui/recoverycopy.h"
#include "ui/recoveryoffer.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <map>
#include <memory>

using vap::ui::RecoveryCopy;

namespace {

/** The copies in the program's folder, set aside ones too; the locks are not copies. */
QStringList copiesIn(const QString& state) {
    return QDir(state + QStringLiteral("/vaporina"))
        .entryList({QStringLiteral("*.vap"), QStringLiteral("*.bad*")}, QDir::Files);
}

} // namespace

class RecoveryCopyTest : public QObject {
    Q_OBJECT

private slots:
    void script_data() {
        // c: a change; w: the delay runs out, and then some; s: saved; x: a normal exit, which
        // keeps a design with changes for the next start;
        // f, k: writes fail, work again; b: a file stands where the state folder goes.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("writes");
        QTest::addColumn<int>("failuresSaid");
        QTest::addColumn<bool>("copyLeft");
        QTest::newRow("changes close together, one write") << "cccccww" << 1 << 0 << true;
        QTest::newRow("saved before the write") << "ccsw" << 0 << 0 << false;
        QTest::newRow("saved after the write") << "cws" << 1 << 0 << false;
        QTest::newRow("exit after the write") << "cwx" << 2 << 0 << true;
        QTest::newRow("exit after a save") << "cwsx" << 1 << 0 << false;
        QTest::newRow("changed again after a save") << "cwscw" << 2 << 0 << true;
        QTest::newRow("failing writes, said once") << "fcwcwcw" << 0 << 1 << false;
        QTest::newRow("said again after a write worked") << "fcwkcwfcw" << 1 << 2 << true;
        QTest::newRow("no folder to be made") << "bcwcw" << 0 << 1 << false;
    }
    void script() {
        QFETCH(QString, steps);
        QTemporaryDir dir;
        const QString state = dir.path() + QStringLiteral("/state");
        const std::string bytes = "JAN:0:0:100:200:0\r\n";
        int writes = 0;
        bool failing = false;
        RecoveryCopy copy(
            state, QStringLiteral("vaporina"),
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
            {'x', [&] { copy.endRun(); }},
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
        const QStringList left = copiesIn(state);
        QTEST(!left.isEmpty(), "copyLeft");
        if (!left.isEmpty()) {
            QCOMPARE(left.size(), 1);
            QCOMPARE(vaptest::readFile(state + "/vaporina/" + left[0]).toStdString(), bytes);
            QCOMPARE(QFile::permissions(state + QStringLiteral("/vaporina")) & 0x7777,
                     QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                         QFile::WriteUser | QFile::ExeUser);
        }
    }

    void runs_data() {
        // Runs one after another on one state folder; x and k start the next. c: a change, its
        // copy written; r: Open or Clear replaces the design; s: saved; x: a normal exit; k: a
        // kill; b: another run starts beside this one; g: an unreadable copy from an older
        // version; Y, N, L: the answer to a question to come (L: Escape); o: this run's start
        // offers what the others left. Each step waits for the copy's write it started.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("left");
        QTest::addColumn<QString>("asked"); // C: after a kill, E: after an exit with changes
        QTest::newRow("killed: Later keeps it, No removes it") << "ckLokNo" << 0 << "CC";
        QTest::newRow("Yes keeps it until a newer one") << "ckYokLo" << 1 << "CC";
        QTest::newRow("an exit with changes: its question") << "cxYos" << 0 << "E";
        QTest::newRow("saved or unchanged: nothing left") << "csxxo" << 0 << "";
        QTest::newRow("replaced changes stay after a kill") << "crckNNo" << 0 << "CC";
        QTest::newRow("replaced changes go at a normal end") << "crcxLo" << 1 << "E";
        QTest::newRow("a running copy is never offered") << "cb" << 1 << "";
        QTest::newRow("unreadable copies set aside, both") << "csgYogYo" << 2 << "CC";
    }
    void runs() {
        QFETCH(QString, steps);
        QTemporaryDir dir;
        const QString state = dir.path() + QStringLiteral("/state");
        vaptest::ScriptedDialogs dialogs;
        auto newRun = [&] {
            return std::make_unique<RecoveryCopy>(
                state, QStringLiteral("vaporina"),
                [] { return std::string("JAN:0:0:100:200:0\r\n\r\n\r\n\r\n"); }, 20);
        };
        auto offer = [](RecoveryCopy& run) {
            vap::ui::offerLeftCopies(run, nullptr, [](vap::DesignFile) {});
        };
        std::unique_ptr<RecoveryCopy> run = newRun();
        using enum vap::ui::Answer;
        for (QChar step : steps) {
            if (step == 'c')
                run->designChanged();
            QVERIFY(QTest::qWaitFor([&] { return !run->writePending(); }));
            if (step == 'r')
                run->keepReplaced();
            if (step == 's')
                run->setUnsaved(false);
            if (step == 'x')
                run->endRun();
            if (step == 'x' || step == 'k')
                run = newRun(); // a killed run's copies and locks stay as the kernel leaves them
            if (step == 'b' || step == 'o')
                offer(step == 'o' ? *run : *newRun());
            if (step == 'g')
                vaptest::writeFile(state + "/vaporina/vaporina.recovery.vap", QByteArray("bad"));
            if (step.isUpper())
                dialogs.answerYesNoOrLater(step == 'Y' ? Yes : step == 'N' ? No : Later);
        }
        QString asked;
        for (const auto& request : dialogs.takeRequests()) {
            QCOMPARE(request.title + '|' + request.preset, QStringLiteral("Vaporina|&Sim|&Não"));
            asked += request.text.startsWith(QStringLiteral("O programa")) ? 'C' : 'E';
        }
        QTEST(asked, "asked");
        QTEST(static_cast<int>(copiesIn(state).size()), "left");
        QCOMPARE(dialogs.takeErrors().size(), static_cast<std::size_t>(steps.count('g')));
        dialogs.verifySettled();
    }
};

QTEST_GUILESS_MAIN(RecoveryCopyTest)
#include "recoverycopy_test.moc"
