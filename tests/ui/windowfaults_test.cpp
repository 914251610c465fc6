// Faults users met in the windows, each row one reproduction: a long caption in the inspector, the
// drag outline, the wheel over the object list, the command line.

#include "support/designer.h"

#include "ui/propertyrows.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTableWidget>
#include <QWheelEvent>
#include <QWindow>

using enum vap::ui::InspectorRow;

class WindowFaults;
using Reproduction = void (*)(WindowFaults&);

class WindowFaults : public vaptest::DesignerTest {
    Q_OBJECT

    vap::ui::TF_Menu& menu() { return designer->menu; }
    QTableWidget& grid() {
        return *vaptest::part<QTableWidget>(designer->inspector, "strPropriedade");
    }
    QComboBox& objects() { return *vaptest::part<QComboBox>(designer->inspector, "cbObjeto"); }
    static void settle() { QTest::qWait(20); }

    /** Two controls, the inspector opened on the first; types into a cell without confirming. */
    void typeInto(int row, const QString& text) {
        designer->create("JLb");
        designer->create("JB");
        designer->onControl(QStringLiteral("JLabel1"), "obj1");
        QVERIFY(QTest::qWaitForWindowActive(&designer->inspector));
        grid().setCurrentCell(row, 1);
        auto* editor = qobject_cast<QLineEdit*>(grid().indexWidget(grid().model()->index(row, 1)));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, text);
    }
    void wheelOverObjects() {
        QPoint at = objects().rect().center();
        QWheelEvent wheel(at, objects().mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel); // as the window system delivers it
        QApplication::sendEvent(&objects(), &wheel);
        settle();
    }
    vaptest::ShownControl startDrag() {
        designer->create("JLb");
        vaptest::ShownControl label(menu(), designer->design,
                                    designer->design.controls().back().get());
        vaptest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
        vaptest::mouseMove(label, QPoint(40, 30));
        return label;
    }
    bool outlineGone() { return !menu().outlineShown() && !menu().dragInProgress(); }
    /** The real program's exit code and first line of output. */
    static QString run(const QStringList& arguments) {
        QProcess program;
        program.start(QStringLiteral(VAPORINA_BINARY), arguments);
        program.waitForFinished(10000);
        QString output =
            QString::fromUtf8(program.readAllStandardOutput() + program.readAllStandardError());
        QStringList lines = output.split('\n').filter(QRegularExpression(QStringLiteral("^[^Q]")));
        return QString::number(program.exitCode()) + ' ' + lines.value(0);
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void reproduction_data() {
        QTest::addColumn<Reproduction>("reproduce");
        QTest::newRow("a caption longer than a line edit takes, its cell left untouched")
            << Reproduction([](WindowFaults& t) {
                   t.designer->create("JLb");
                   const vap::Control& label = t.designer->control("JLabel1");
                   t.designer->design.setCaption(label, std::string(100000, 'c'));
                   t.typeInto(RowCaption, QString()); // its editor opens with the caption
                   t.grid().setCurrentCell(RowHint, 1);
                   t.settle();
                   QCOMPARE(label.caption(), std::string(100000, 'c'));
               });
        QTest::newRow("a right click mid-drag: the control menu takes the release")
            << Reproduction([](WindowFaults& t) {
                   vaptest::ShownControl label = t.startDrag();
                   QPoint at = label.onCanvas(QPoint(40, 5)); // the pointer back over it
                   QContextMenuEvent click(QContextMenuEvent::Mouse, at,
                                           label.viewport()->mapToGlobal(at));
                   QApplication::sendEvent(label.viewport(), &click);
                   QTest::mouseRelease(t.menu().windowHandle(), Qt::LeftButton, {},
                                       label.viewport()->mapTo(&t.menu(), at));
                   QVERIFY(t.outlineGone());
                   vaptest::part<QMenu>(t.menu(), "popObj")->hide();
               });
        QTest::newRow("the control deleted, or the window hidden, mid-drag")
            << Reproduction([](WindowFaults& t) {
                   t.startDrag();
                   t.designer->design.deleteControl(t.designer->control("JLabel1"));
                   QVERIFY(t.outlineGone());
                   vaptest::ShownControl label = t.startDrag();
                   t.menu().hide();
                   QVERIFY(t.outlineGone());
                   t.menu().show();
                   vaptest::mouseRelease(label, Qt::LeftButton);
               });
        QTest::newRow("the wheel over the object list confirms a typed name first")
            << Reproduction([](WindowFaults& t) {
                   t.typeInto(RowName, QStringLiteral("nome"));
                   t.wheelOverObjects();
                   QVERIFY(t.designer->shown("nome"));
                   QCOMPARE(t.objects().currentText(), QStringLiteral("nome"));
               });
        QTest::newRow("the wheel with a refused name: the box, the name kept, the same control")
            << Reproduction([](WindowFaults& t) {
                   t.dialogs->showRealErrorBoxes(true);
                   t.typeInto(RowName, QStringLiteral("1abc"));
                   t.wheelOverObjects();
                   QCOMPARE(t.dialogs->takeError(),
                            QStringLiteral("''1abc'' is not a valid component name."));
                   QCOMPARE(t.objects().currentText(), QStringLiteral("JLabel1"));
                   QCOMPARE(t.designer->inspector.cellText(RowName), QStringLiteral("1abc"));
               });
        QTest::newRow(
            "Ctrl+V with ordinary text, Paste greyed; the first selected's handles filled")
            << Reproduction([](WindowFaults& t) {
                   t.designer->create("JLb");
                   t.designer->create("JB"); // over the label, and the selection
                   QGuiApplication::clipboard()->setText(QStringLiteral("hello world"));
                   QVERIFY(!t.designer->entry("opcPaste")->isEnabled());
                   QTest::keyClick(&t.menu(), Qt::Key_V, Qt::ControlModifier);
                   t.settle();
                   QCOMPARE(t.dialogs->takeError(),
                            QStringLiteral("A área de transferência não contém objetos."));
                   t.menu().copySelection();
                   QVERIFY(t.designer->entry("opcPaste")->isEnabled());
                   vap::ui::DesignCanvas& canvas = t.menu().canvas();
                   canvas.select(
                       {&t.designer->control("JButton1"), &t.designer->control("JLabel1")});
                   t.settle();
                   // The middles of the bottom-right handles: the button's filled, the label's not.
                   QImage shown = canvas.viewport()->grab().toImage();
                   QCOMPARE(shown.pixelColor(100, 69), QColor(0, 84, 166));
                   QCOMPARE(shown.pixelColor(57, 52), QColor(Qt::white));
               });
        QTest::newRow("--help, --version, an unknown option, two designs")
            << Reproduction([](WindowFaults&) {
                   QCOMPARE(run({"--help"}), QStringLiteral("0 Usage: vaporina [FILE.vap]"));
                   QCOMPARE(run({"-x", "--version"}), QStringLiteral("0 vaporina 1.02"));
                   QCOMPARE(run({"--helpme"}),
                            QStringLiteral("2 vaporina: unknown option '--helpme'"));
                   QCOMPARE(
                       run({"a.vap", "b.vap"}),
                       QStringLiteral("2 vaporina: one design at a time: 'b.vap' is one too many"));
                   // Read before the toolkit starts: one line, without a display to start on.
                   QProcess bogus;
                   bogus.start(QStringLiteral(VAPORINA_BINARY),
                               {"-platform", "xcb", "-display", ":65000", "--bogus"});
                   QVERIFY(bogus.waitForFinished(10000));
                   QCOMPARE(QString::number(bogus.exitCode()) + ' ' + bogus.readAllStandardError(),
                            QStringLiteral("2 vaporina: unknown option '--bogus'\n"));
               });
    }
    void reproduction() {
        QFETCH(Reproduction, reproduce);
        reproduce(*this);
    }
};

QTEST_MAIN(WindowFaults)
#include "windowfaults_test.moc"
