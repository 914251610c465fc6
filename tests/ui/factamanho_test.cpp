// The object inspector: the grid's cells through their real editor, the event boxes, renames and
// the object list, its texts in each language, and double clicks on the main window's controls.

#include "support/designer.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "ui/errorbox.h"
#include "ui/propertyrows.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

namespace {
using enum vap::ui::InspectorRow; // under short names here:
enum Row {
    Left = RowLeft,
    Top = RowTop,
    Width = RowWidth,
    Height = RowHeight,
    Caption = RowCaption,
    Name = RowName,
    Hint = RowHint
};
enum class Confirm { Enter, OtherCell, LeaveGrid };
} // namespace

class Inspector : public vaptest::DesignerTest {
    Q_OBJECT

private:
    vap::ui::TF_AcTamanho& inspector() { return designer->inspector; }
    QTableWidget& grid() {
        return *vaptest::part<QTableWidget>(designer->inspector, "strPropriedade");
    }
    const vap::Control& control(const char* name) { return designer->control(name); }
    QComboBox& objects() { return *vaptest::part<QComboBox>(inspector(), "cbObjeto"); }
    QListWidget& events() { return *vaptest::part<QListWidget>(inspector(), "lsEvento"); }

    /** Opens the inspector on a control through the control's menu, as the user does. */
    void open(const QString& name) {
        designer->onControl(name, "obj1");
        QVERIFY(QTest::qWaitForWindowActive(&inspector()));
    }
    /** The value cell's editor, opened by making the cell current. */
    QLineEdit* edit(int row) {
        grid().setCurrentCell(row, 1);
        settle();
        QModelIndex index = grid().model()->index(row, 1);
        if (!grid().indexWidget(index))
            grid().edit(index);
        return qobject_cast<QLineEdit*>(grid().indexWidget(index));
    }
    /** Erases the cell's text with one key and types the new text key by key. */
    QLineEdit* type(int row, const QString& text) {
        QLineEdit* editor = edit(row);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        return editor;
    }
    void confirm(Confirm how, QLineEdit* editor) {
        switch (how) {
        case Confirm::Enter:
            QTest::keyClick(editor, Qt::Key_Return);
            break;
        case Confirm::OtherCell:
            QTest::mouseClick(grid().viewport(), Qt::LeftButton, {},
                              grid().visualItemRect(grid().item(Left, 1)).center());
            break;
        case Confirm::LeaveGrid:
            objects().setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), &objects());
            break;
        }
        settle(); // a name is confirmed once the event has been handled
    }
    /** Runs what the handlers left queued, as the event loop does between two user actions. */
    static void settle() {
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }
    /** "10100": the five boxes of the Events page, item 0 first. */
    QString checks() {
        QString shown;
        for (int item = 0; item < events().count(); ++item)
            shown += events().item(item)->checkState() == Qt::Checked ? '1' : '0';
        return shown;
    }
    /** A mouse click on an event item: on its box, or on its text to the right. */
    void clickEvent(int item, bool onBox) {
        QListWidget* list = &events();
        vaptest::part<QTabWidget>(inspector(), "PageControl1")
            ->setCurrentWidget(vaptest::part<QWidget>(inspector(), "tbEvento"));
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualItemRect(list->item(item));
        option.features = QStyleOptionViewItem::HasCheckIndicator;
        QRect box =
            list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QPoint at = onBox ? box.center() : QPoint(option.rect.right() - 10, box.center().y());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    QStringList listed() {
        QStringList items;
        for (int i = 0; i < objects().count(); ++i)
            items << objects().itemText(i);
        return items;
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void eventBoxes_data() {
        QTest::addColumn<int>("tag");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("afterBoxClick"); // item 1 toggled
        // The decoding is the core's (EventMask); here, a click stores the sum of what shows.
        QTest::newRow("0") << 0 << "00000" << 2;
        QTest::newRow("5") << 5 << "10100" << 7;
        QTest::newRow("32") << 32 << "11111" << 29;
        QTest::newRow("negative") << -1 << "00000" << 2;
    }
    void eventBoxes() {
        QFETCH(int, tag);
        QFETCH(QString, shown);
        QFETCH(int, afterBoxClick);
        designer->create("JB");
        const vap::Control& button = control("JButton1");
        designer->design.setTag(button, tag);
        open("JButton1");
        QCOMPARE(checks(), shown);
        clickEvent(1, true);
        QCOMPARE(button.tag(), afterBoxClick);
        // A click beside the box toggles nothing and still stores the sum of what shows.
        designer->design.setTag(button, tag);
        inspector().cbObjetoChange();
        clickEvent(3, false);
        QCOMPARE(checks(), shown);
        int sum = 0;
        for (int item = 0; item < 5; ++item)
            sum += shown[item] == '1' ? 1 << item : 0;
        QCOMPARE(button.tag(), sum);
    }

    void widthFollowsEachKeystroke() {
        designer->create("JB");
        vaptest::ShownControl button = designer->shown("JButton1");
        open("JButton1");
        QLineEdit* editor = type(Width, QString());
        QCOMPARE(button.geometry(), QRect(1, 40, 0, 30));
        for (auto [key, width] : {std::pair{"1", 1}, {"5", 15}, {"0", 150}}) {
            QTest::keyClicks(editor, QLatin1String(key));
            QCOMPARE(control("JButton1").width(), width);
            QCOMPARE(button.geometry(), QRect(1, 40, width, 30));
        }
        QCOMPARE(control("JButton1").caption(), std::string("JButton1"));
    }

    void numberCells_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("left");
        // The cell's text goes through ValorInteiro, whose own table has the other forms.
        QTest::newRow("emptied") << "" << 0;
        QTest::newRow("dollar hex") << "$1F" << 31;
        QTest::newRow("negative") << "-7" << -7;
    }
    void numberCells() {
        QFETCH(QString, typed);
        QFETCH(int, left);
        designer->create("JLb");
        designer->design.setLeft(control("JLabel1"), 70);
        open("JLabel1");
        QCOMPARE(inspector().cellText(Left), QStringLiteral("70"));
        type(Left, typed);
        QCOMPARE(control("JLabel1").left(), left);
        QCOMPARE(designer->shown("JLabel1").x(), left);
        QCOMPARE(control("JLabel1").top(), 40); // the other cells applied as they are
    }

    void renameConfirmed_data() {
        QTest::addColumn<Confirm>("how");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("list");
        QTest::newRow("Enter") << Confirm::Enter << "Zeta"
                               << QStringList{"JButton1", "JLabel2", "Zeta"};
        QTest::newRow("another cell")
            << Confirm::OtherCell << "Alfa" << QStringList{"Alfa", "JButton1", "JLabel2"};
        QTest::newRow("leaving the grid")
            << Confirm::LeaveGrid << "Meio" << QStringList{"JButton1", "JLabel2", "Meio"};
        QTest::newRow("letter case only")
            << Confirm::Enter << "jlabel1" << QStringList{"JButton1", "jlabel1", "JLabel2"};
    }
    void renameConfirmed() {
        QFETCH(Confirm, how);
        QFETCH(QString, name);
        QFETCH(QStringList, list);
        designer->create("JLb");
        designer->create("JB");
        designer->create("JLb");
        open("JLabel1");
        QLineEdit* editor = type(Name, name);
        // Typing alone renames nothing.
        QVERIFY(designer->shown("JLabel1"));
        QCOMPARE(inspector().nomeAtual(), std::string("JLabel1"));
        confirm(how, editor);
        QVERIFY(!designer->shown("JLabel1"));
        QVERIFY(designer->shown(name));
        QCOMPARE(vap::ui::qs(designer->design.findControl(name.toStdString())->caption()), name);
        QCOMPARE(designer->objectList(), list);
        QCOMPARE(listed(), list);
        QCOMPARE(objects().currentText(), name);
        QCOMPARE(vap::ui::qs(inspector().nomeAtual()), name);
        QCOMPARE(inspector().cellText(Name), name);
    }

    void renameRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        // The name rules are the core's (Naming); the window adds the empty name.
        QTest::newRow("not an identifier") << "1abc"
                                           << "''1abc'' is not a valid component name.";
        QTest::newRow("empty") << ""
                               << "'''' is not a valid component name.";
    }
    void renameRefused() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        designer->create("JLb");
        designer->create("JB");
        open("JLabel1");
        QLineEdit* editor = type(Name, name);
        confirm(Confirm::Enter, editor);
        QCOMPARE(dialogs->takeError(), message);
        // Tried again on the next cell selection, which stays on the Name cell.
        confirm(Confirm::OtherCell, editor);
        QCOMPARE(dialogs->takeError(), message);
        QCOMPARE(grid().currentRow(), int(Name));
        QCOMPARE(inspector().cellText(Name), name);
        QVERIFY(designer->shown("JLabel1"));
        QCOMPARE(control("JLabel1").caption(), std::string("JLabel1"));
        QCOMPARE(inspector().nomeAtual(), std::string("JLabel1"));
        QCOMPARE(objects().currentText(), QStringLiteral("JLabel1"));
        QCOMPARE(designer->objectList(), QStringList({"JButton1", "JLabel1"}));
    }

    // The refused name with real boxes: each box runs its own event loop and is closed by a key.
    void refusedNameSurvivesRealBoxes_data() {
        QTest::addColumn<Confirm>("how");
        QTest::newRow("Enter in the cell") << Confirm::Enter;
        QTest::newRow("another cell") << Confirm::OtherCell;
        QTest::newRow("leaving the grid") << Confirm::LeaveGrid;
    }
    void refusedNameSurvivesRealBoxes() {
        QFETCH(Confirm, how);
        const QString message = QStringLiteral("''1abc'' is not a valid component name.");
        dialogs->showRealErrorBoxes(true);
        designer->create("JLb");
        open("JLabel1");
        confirm(how, type(Name, QStringLiteral("1abc")));
        QCOMPARE(dialogs->takeError(), message);
        // Enter on the grid, without an editor, tries the same name again.
        QTest::keyClick(&grid(), Qt::Key_Return);
        settle();
        QCOMPARE(dialogs->takeError(), message);
        QCOMPARE(grid().currentRow(), int(Name));
        QCOMPARE(inspector().cellText(Name), QStringLiteral("1abc"));
        QCOMPARE(control("JLabel1").name(), std::string("JLabel1"));
        // The user corrects it.
        confirm(Confirm::Enter, type(Name, QStringLiteral("nome")));
        QVERIFY(designer->shown("nome"));
        QCOMPARE(inspector().cellText(Name), QStringLiteral("nome"));
    }

    // A text a design file cannot hold is refused where it is typed, and the value stays.
    void unstorableTextRefused() {
        designer->create("JLb");
        open("JLabel1");
        QKeyEvent emoji(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("😀"));
        QApplication::sendEvent(edit(Caption), &emoji);
        settle();
        QCOMPARE(dialogs->takeError(),
                 "Um arquivo de projeto não guarda o caractere '😀' (U+1F600)");
        QCOMPARE(inspector().cellText(Caption) + vap::ui::qs(control("JLabel1").caption()),
                 "JLabel1JLabel1");
        start(3); // the window's caption box, in Spanish
        std::string window = designer->design.window().caption;
        dialogs->answerText(QStringLiteral("a\nb"));
        designer->trigger("opc2");
        QCOMPARE(dialogs->takeError(),
                 "Un archivo de diseño no guarda el carácter '\\x0A' (U+000A)");
        QCOMPARE(designer->design.window().caption, window);
    }

    void keysTypedRightAfterAClickStayInTheCell() {
        designer->create("JLb");
        open("JLabel1");
        QTest::keyClick(edit(Name), Qt::Key_Return); // the Name cell stays current, unedited
        settle();
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {},
                          grid().visualItemRect(grid().item(Name, 1)).center());
        for (char key : {'4', '5'}) { // each to the widget that has the focus, as X sends them
            QTest::keyClick(QApplication::focusWidget(), key);
        }
        QCOMPARE(inspector().cellText(Name), QStringLiteral("45"));
        QCOMPARE(control("JLabel1").top(), 40);
        QCOMPARE(control("JLabel1").left(), 1);
    }

    void texts_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<QString>("window"); // caption and the two tabs
        QTest::addColumn<QString>("labels");
        QTest::addColumn<QString>("items");
        QTest::newRow("en") << 2 << "Adjusts Object|Properties|Events"
                            << "Left|Top|Width|Height|Caption|Name|Hint"
                            << "Key Pressed|Mouse Clicked|Action Performed|Focus Gained|Focus Lost";
        QTest::newRow("outside") << 7 << "Ajusta Objeto|Propriedades|Eventos"
                                 << "||||||"
                                 << "Ao 1|Ao 2|Ao 3|Ao 4|Ao 5";
    }
    void texts() {
        QFETCH(int, lingua);
        QFETCH(QString, window);
        QFETCH(QString, labels);
        QFETCH(QString, items);
        start(lingua);
        designer->create("JLb");
        open("JLabel1");
        QStringList shownWindow{inspector().windowTitle(),
                                vaptest::part<QTabWidget>(inspector(), "PageControl1")->tabText(0),
                                vaptest::part<QTabWidget>(inspector(), "PageControl1")->tabText(1)};
        QStringList shownLabels, shownEvents;
        for (int row = 0; row < grid().rowCount(); ++row)
            shownLabels << grid().item(row, 0)->text();
        for (int item = 0; item < events().count(); ++item)
            shownEvents << events().item(item)->text();
        QCOMPARE(shownWindow.join('|'), window);
        QCOMPARE(shownLabels.join('|'), labels);
        QCOMPARE(shownEvents.join('|'), items);
    }

    // A label's Java has no action listener: the row is greyed with the reason, and a tick a
    // file gave it stays in the mask. Retargeted to a button, the row is a box again.
    void actionGreyedWhereJavaHasNone() {
        start(2);
        designer->create("JLb");
        designer->create("JB");
        designer->design.setTag(control("JLabel1"), 4);
        open("JLabel1");
        QCOMPARE(events().item(2)->flags(), Qt::NoItemFlags);
        QCOMPARE(events().item(2)->toolTip(), QStringLiteral("A Java JLabel has no action event "
                                                             "(ActionListener): no code is "
                                                             "generated for it"));
        QCOMPARE(checks(), QStringLiteral("00100"));
        clickEvent(2, true);
        clickEvent(0, true);
        QCOMPARE(control("JLabel1").tag(), 5);
        vaptest::mouseDClick(designer->shown("JButton1"), Qt::LeftButton);
        QVERIFY(events().item(2)->flags() & Qt::ItemIsUserCheckable);
        QVERIFY(events().item(2)->toolTip().isEmpty());
    }

    void doubleClickRetargetsOnlyWhileOpen() {
        designer->create("JLb");
        designer->create("JB");
        vaptest::mouseDClick(designer->shown("JButton1"), Qt::LeftButton);
        QVERIFY(!inspector().isVisible()); // it never opens the inspector
        open("JLabel1");
        vaptest::mouseDClick(designer->shown("JButton1"), Qt::LeftButton);
        QCOMPARE(objects().currentText(), QStringLiteral("JButton1"));
        QCOMPARE(inspector().cellText(Width), QStringLiteral("100"));
        QCOMPARE(inspector().nomeAtual(), std::string("JButton1"));
        inspector().close();
        QVERIFY(!designer->menu.InspectorOpen());
        vaptest::mouseDClick(designer->shown("JLabel1"), Qt::LeftButton);
        QVERIFY(!inspector().isVisible());
        QCOMPARE(objects().currentText(), QStringLiteral("JButton1"));
    }

    void editsFindingNoControlAreRefused_data() {
        QTest::addColumn<bool>("unknownName");
        QTest::newRow("nothing selected") << false;
        QTest::newRow("a name no control has") << true;
    }
    void editsFindingNoControlAreRefused() {
        QFETCH(bool, unknownName);
        designer->create("JLb");
        designer->menu.canvas().clearSelection(); // the new label is no longer the selection
        inspector().showInspector();
        QVERIFY(QTest::qWaitForWindowActive(&inspector()));
        if (unknownName) {
            objects().addItem(QStringLiteral("Ghost"));
            objects().setCurrentIndex(objects().count() - 1);
            inspector().cbObjetoChange();
        }
        type(Width, QStringLiteral("77"));
        type(Caption, QStringLiteral("Outro"));
        clickEvent(0, true);
        confirm(Confirm::Enter, type(Name, QStringLiteral("Novo")));
        confirm(Confirm::LeaveGrid, type(Name, QString()));
        const vap::Control& label = control("JLabel1");
        QCOMPARE(designer->shown("JLabel1").geometry(), QRect(1, 40, 57, 13));
        QCOMPARE(label.caption(), std::string("JLabel1"));
        QCOMPARE(label.tag(), 0);
        QCOMPARE(designer->objectList(), QStringList{"JLabel1"});
        QCOMPARE(inspector().cellText(Width) + inspector().cellText(Caption) + checks(), "00000");
        auto said = dialogs->takeErrors(); // each refused edit says why
        QVERIFY(!said.empty());
        for (const auto& error : said)
            QCOMPARE(error.text,
                     "Nenhum objeto está escolhido na lista: a alteração não foi feita.");
    }
};

QTEST_MAIN(Inspector)
#include "factamanho_test.moc"
