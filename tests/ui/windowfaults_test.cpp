// Faults users met in the windows, each row one reproduction: long texts, the drag outline, the
// wheel over the object list, a setting that cannot be read, the command line.

#include "support/designer.h"
#include "support/files.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "ui/inspectorrows.h"
#include "ui/settingsfile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

#include <string>

using enum vap::ui::InspectorRow;

class WindowFaults : public vaptest::DesignerTest {
    Q_OBJECT

public:
    struct Case {
        const char* reproduction;
        void (*run)(WindowFaults&);
    };

private:
    static const Case cases[];

    vap::ui::TF_Menu& menu() { return designer->menu; }
    vap::ui::TF_AcTamanho& inspector() { return designer->inspector; }
    QTableWidget& grid() { return *vaptest::part<QTableWidget>(inspector(), "strPropriedade"); }
    QComboBox& objects() { return *vaptest::part<QComboBox>(inspector(), "cbObjeto"); }

    static void settle() {
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }
    void open(const QString& name) {
        designer->onControl(name, "obj1");
        QVERIFY(QTest::qWaitForWindowActive(&inspector()));
    }
    /** Types into the cell's editor, replacing its text, without confirming anything. */
    QLineEdit* type(int row, const QString& text) {
        grid().setCurrentCell(row, 1);
        settle();
        QModelIndex index = grid().model()->index(row, 1);
        if (!grid().indexWidget(index))
            grid().edit(index);
        auto* editor = qobject_cast<QLineEdit*>(grid().indexWidget(index));
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        return editor;
    }
    /** A turn of the wheel over the object list, as the window system delivers it. */
    void wheelDown() {
        QPoint at = objects().rect().center();
        QWheelEvent wheel(at, objects().mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::sendEvent(&objects(), &wheel);
        settle();
    }
    /** Presses on the control and moves: the outline shows. */
    vap::ui::TJComponent* startDrag() {
        designer->create("JLb");
        vap::ui::TJComponent* label = designer->widget("JLabel1");
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(label, QPoint(40, 30));
        return label;
    }
    void verifyNoOutline() {
        QVERIFY(!menu().outlineShown());
        QVERIFY(!menu().dragInProgress());
    }
    /** Runs the program built beside the tests: its exit code and its first output line. */
    static QString runProgram(const QStringList& arguments) {
        QProcess program;
        program.start(QStringLiteral(VAPORINA_BINARY), arguments);
        if (!program.waitForFinished(10000)) {
            program.kill();
            program.waitForFinished();
            return QStringLiteral("still running");
        }
        QString output =
            QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
        QStringList lines = output.split('\n').filter(QRegularExpression(QStringLiteral("^[^Q]")));
        return QString::number(program.exitCode()) + QLatin1Char(' ') + lines.value(0);
    }

    /**
     * Starts the main window afresh over the settings file, with the real boxes. Each box that
     * opens is recorded as "class|text|its owner" and closed by a key.
     */
    QStringList startOver(const QByteArray& settings) {
        QTemporaryDir folder;
        QString path = folder.filePath(QStringLiteral("vaporina.INI"));
        if (!vaptest::writeFile(path, settings))
            return {QStringLiteral("settings not written")};
        designer.reset();
        vap::ui::appLanguage() = vap::LanguageState{};
        vap::ui::SettingsFile file(path);
        vap::Design design;
        vap::ui::TF_Menu window(design);
        window.setLanguageReader([&file] { return file.readIdioma(); });
        QStringList shown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, &closer, [&shown] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box || !box->isVisible())
                return;
            auto* message = qobject_cast<QMessageBox*>(box);
            shown << QString::fromLatin1(box->metaObject()->className()) + QLatin1Char('|') +
                         (message ? message->text() : box->objectName()) + QLatin1Char('|') +
                         (box->parentWidget() ? box->parentWidget()->objectName() : QString());
            QTest::keyClick(box, Qt::Key_Escape);
        });
        closer.start(20);
        vap::ui::installDialogs(nullptr);
        window.show();
        QTest::qWait(400);
        vap::ui::installDialogs(dialogs.get());
        shown << QString::number(vap::ui::Lingua().code()) << window.windowTitle()
              << vaptest::part<QAction>(window, "opc1")->text();
        return shown;
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void reproduction_data() {
        QTest::addColumn<int>("index");
        for (int i = 0; cases[i].run; ++i)
            QTest::newRow(cases[i].reproduction) << i;
    }
    void reproduction() {
        QFETCH(int, index);
        cases[index].run(*this);
    }
};

const WindowFaults::Case WindowFaults::cases[] = {
    {"a 10-million-character Idioma value is a bad value, quoted short",
     [](WindowFaults&) {
         QTemporaryDir folder;
         QString path = folder.filePath(QStringLiteral("vaporina.INI"));
         QVERIFY(vaptest::writeFile(path, "[Padrao]\nIdioma=" + QByteArray(10000000, '1') + "\n"));
         QString message;
         try {
             vap::ui::SettingsFile(path).readIdioma();
         } catch (const std::exception& error) {
             message = QString::fromUtf8(error.what());
         }
         QCOMPARE(message, QStringLiteral("'") + QString(60, '1') +
                               QStringLiteral("…' is not a valid integer value"));
     }},
    {"Idioma=abc: code 0, the designed texts, the error in front, no splash",
     [](WindowFaults& t) {
         QStringList shown = t.startOver("[Padrao]\nIdioma=abc\n");
         QCOMPARE(shown, QStringList({"QMessageBox|'abc' is not a valid integer value.|F_Menu", "0",
                                      "Fenestro - Gerador de Janelas em Java", "&Linguagem"}));
     }},
    {"a long caption stays whole through the inspector, the Hint cell typed in",
     [](WindowFaults& t) {
         t.designer->create("JLb");
         const vap::Control& label = t.designer->control("JLabel1");
         const std::string caption(100000, 'c'); // more than a line edit takes by default
         t.designer->design.setCaption(label, caption);
         t.open("JLabel1");
         t.grid().setCurrentCell(RowCaption, 1); // its editor opens, and is left untouched
         t.settle();
         t.type(RowHint, QStringLiteral("dica"));
         t.settle();
         QCOMPARE(label.hint(), std::string("dica"));
         QCOMPARE(label.caption(), caption);
     }},
    {"a right click mid-drag: the control menu opens, the release goes to it",
     [](WindowFaults& t) {
         vap::ui::TJComponent* label = t.startDrag();
         const std::int32_t left = t.designer->control("JLabel1").left();
         QVERIFY(t.menu().outlineShown());
         QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(40, 30),
                                 label->mapToGlobal(QPoint(40, 30)));
         QApplication::sendEvent(label, &click);
         QWindow* window = t.menu().windowHandle();
         QTest::mouseRelease(window, Qt::LeftButton, {}, label->mapTo(&t.menu(), QPoint(40, 30)));
         t.settle();
         t.verifyNoOutline();
         vaptest::part<QMenu>(t.menu(), "popObj")->hide();
         QCOMPARE(t.designer->control("JLabel1").left(), left);
     }},
    {"the control deleted mid-drag",
     [](WindowFaults& t) {
         t.startDrag();
         t.designer->design.deleteControl(t.designer->control("JLabel1"));
         t.verifyNoOutline();
     }},
    {"the window hidden mid-drag",
     [](WindowFaults& t) {
         vap::ui::TJComponent* label = t.startDrag();
         t.menu().hide();
         t.verifyNoOutline();
         t.menu().show();
         QTest::mouseMove(label, QPoint(60, 60));
         QVERIFY(!t.menu().outlineShown());
         QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(60, 60));
     }},
    {"the wheel over the object list confirms a typed name first",
     [](WindowFaults& t) {
         t.designer->create("JLb");
         t.designer->create("JB");
         t.open("JLabel1");
         t.type(RowName, QStringLiteral("nome"));
         t.wheelDown();
         QVERIFY(t.designer->widget("nome"));
         QCOMPARE(t.objects().currentText(), QStringLiteral("nome"));
         QCOMPARE(t.inspector().cellText(RowName), QStringLiteral("nome"));
     }},
    {"the wheel with a refused name: the box, the name kept, the same control",
     [](WindowFaults& t) {
         t.dialogs->showRealErrorBoxes(true);
         t.designer->create("JLb");
         t.designer->create("JB");
         t.open("JLabel1");
         t.type(RowName, QStringLiteral("1abc"));
         t.wheelDown();
         QCOMPARE(t.dialogs->takeError(),
                  QStringLiteral("''1abc'' is not a valid component name."));
         QCOMPARE(t.objects().currentText(), QStringLiteral("JLabel1"));
         QCOMPARE(t.inspector().cellText(RowName), QStringLiteral("1abc"));
     }},
    {"vaporina --help, --version, an unknown option, two designs",
     [](WindowFaults&) {
         QCOMPARE(runProgram({"--help"}), QStringLiteral("0 Usage: vaporina [FILE.vap]"));
         QCOMPARE(runProgram({"-x", "--version"}), QStringLiteral("0 vaporina 1.02"));
         QCOMPARE(runProgram({"--helpme"}),
                  QStringLiteral("2 vaporina: unknown option '--helpme'"));
         QCOMPARE(runProgram({"a.vap", "b.vap"}),
                  QStringLiteral("2 vaporina: one design at a time: 'b.vap' is one too many"));
     }},
    {nullptr, nullptr},
};

QTEST_MAIN(WindowFaults)
#include "windowfaults_test.moc"
