// The main window's commands through its real menu entries, the palette, and the error box.

#include "support/designer.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/windowobjects.h"
#include "ui/errorbox.h"
#include "ui/fgera.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>
#include <stdexcept>

using vap::ui::qs;
using vaptest::Designer;

namespace {
const QString startCaption = QStringLiteral("Vaporina - versão 1.02");

struct CodeWindowSeen {
    QString title, text, copyCaption;
    int lines = 0;
};
} // namespace

class MenuCommands : public vaptest::DesignerTest {
    Q_OBJECT

private:
    QTemporaryDir folder;

    vap::ui::TF_Menu& menu() { return designer->menu; }
    void click(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void onControl(const QString& name, QAction* entry) {
        menu().openControlMenu(designer->widget(name), QPoint(10, 10));
        entry->trigger();
        vaptest::part<QMenu>(menu(), "popObj")->hide();
    }
    void expectCodeWindow(CodeWindowSeen& seen) {
        dialogs->answerModal([&seen](QDialog& dialog) {
            auto& gera = dynamic_cast<vap::ui::TF_Gera&>(dialog);
            seen = {gera.windowTitle(),
                    vaptest::part<QPlainTextEdit>(gera, "memResult")->toPlainText(),
                    vaptest::part<QPushButton>(gera, "butCopia")->text(), gera.lineCount()};
        });
    }
    QString shownError() {
        auto errors = dialogs->takeErrors();
        if (errors.size() != 1 || errors[0].title != QLatin1String("Davodiz ezuz Udiz"))
            return QStringLiteral("<not one error box with the application's title>");
        return errors[0].text;
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void caption_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("typed") << 1 << false << "Clientes"
                               << "Informe a Legenda:";
        QTest::newRow("cancelled") << 1 << true << ""
                                   << "Informe a Legenda:";
        QTest::newRow("empty accepted") << 1 << false << ""
                                        << "Informe a Legenda:";
        QTest::newRow("en") << 2 << false << "Customers"
                            << "Report the Caption:";
    }
    void caption() {
        QFETCH(int, lingua);
        QFETCH(bool, cancel);
        QFETCH(QString, answer);
        QFETCH(QString, prompt);
        start(lingua);
        QString before = menu().windowTitle();
        QString caption = cancel ? before : answer;
        dialogs->answerText(cancel ? std::nullopt : std::optional<QString>(answer));
        vaptest::part<QAction>(menu(), "opc2")->trigger();
        auto asked = dialogs->takeRequests().at(0);
        QCOMPARE(asked.text, prompt);
        QCOMPARE(asked.preset, before);
        QCOMPARE(qs(designer->design.window().caption), caption);
        QCOMPARE(menu().windowTitle(), caption);
        // A code outside 1 to 3 asks nothing (an unexpected question fails the test).
        vap::ui::appLanguage().Lingua = vap::LanguageCode(4);
        vaptest::part<QAction>(menu(), "opc2")->trigger();
        QCOMPARE(menu().windowTitle(), caption);
    }

    void formatMarks() {
        const vap::DesignWindow& window = designer->design.window();
        vaptest::part<QAction>(menu(), "opc31")->trigger();
        QVERIFY(vaptest::part<QAction>(menu(), "opc31")->isChecked() && window.resizable);
        vaptest::part<QAction>(menu(), "opc31")->trigger();
        QVERIFY(!vaptest::part<QAction>(menu(), "opc31")->isChecked() && !window.resizable);
        vaptest::part<QAction>(menu(), "opc31")->trigger();
        vaptest::part<QAction>(menu(), "opc32")->trigger();
        vaptest::part<QAction>(menu(), "opc8")->trigger(); // Clear keeps both marks
        QVERIFY(vaptest::part<QAction>(menu(), "opc31")->isChecked() && window.resizable);
        QVERIFY(vaptest::part<QAction>(menu(), "opc32")->isChecked() && window.modal);
        vaptest::part<QAction>(menu(), "opc32")->trigger();
        QVERIFY(!vaptest::part<QAction>(menu(), "opc32")->isChecked() && !window.modal &&
                window.resizable);
    }

    void createObjectsShowsPalette_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<QString>("shownCaption");
        QTest::addColumn<QString>("entryCaption");
        QTest::newRow("pt") << 1 << "Criar Objetos"
                            << "Criar &Objetos";
        QTest::newRow("en") << 2 << "Create Object"
                            << "Create O&bject";
    }
    void createObjectsShowsPalette() {
        QFETCH(int, lingua);
        QFETCH(QString, shownCaption);
        QFETCH(QString, entryCaption);
        start(lingua);
        QVERIFY(!designer->palette.isVisible());
        vaptest::part<QAction>(menu(), "opc4")->trigger();
        QVERIFY(designer->palette.isVisible());
        QCOMPARE(designer->palette.windowTitle(), shownCaption);
        vaptest::part<QAction>(menu(), "opc4")
            ->trigger(); // already visible: the entry's caption, ampersand included
        QCOMPARE(designer->palette.windowTitle(), entryCaption);
    }

    void paletteMakesOneControlPerClick() {
        for (int i = 0; i < 3; ++i)
            click(vaptest::part<QToolButton>(designer->palette, "JB"));
        click(vaptest::part<QToolButton>(designer->palette, "JPF"));
        click(vaptest::part<QToolButton>(designer->palette, "JTF"));
        for (const char* name : {"JButton1", "JButton2", "JButton3"})
            QCOMPARE(designer->widget(name)->geometry(), QRect(1, 40, 100, 30));
        QCOMPARE(menu().childAt(QPoint(50, 65)), designer->widget("JButton3")); // last on top
        QVERIFY(!designer->control("JPasswordField1").eTextField());
        QVERIFY(designer->control("JTextField1").eTextField());
        QCOMPARE(designer->objectList(), QStringList({"JButton1", "JButton2", "JButton3",
                                                      "JPasswordField1", "JTextField1"}));
    }

    void paletteCaptionByLanguage() {
        const QStringList captions{"F_CriaObjeto", "Criar Objetos", "Create Object",
                                   "Cree el Objeto", "Cree el Objeto"};
        for (int lingua : {0, 1, 2, 3, 4}) { // 0 and 4 keep whatever caption was there
            vap::ui::appLanguage().Lingua = vap::LanguageCode(lingua);
            designer->palette.show();
            QCOMPARE(designer->palette.windowTitle(), captions[lingua]);
            designer->palette.hide();
        }
    }

    void windowObjects_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<QString>("copyCaption");
        QTest::newRow("pt") << 1 << "&Copiar";
        QTest::newRow("en") << 2 << "&Copy";
    }
    void windowObjects() {
        QFETCH(int, lingua);
        QFETCH(QString, copyCaption);
        start(lingua);
        click(vaptest::part<QToolButton>(designer->palette, "JB"));
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));
        CodeWindowSeen seen;
        expectCodeWindow(seen);
        vaptest::part<QAction>(menu(), "opc51")->trigger();
        vap::GeneratedCode code = vap::GeraObjetosJanela(
            designer->design, vap::commentTextsFor(vap::LanguageCode(lingua)),
            vap::LanguageCode(lingua));
        QCOMPARE(seen.title, qs(*code.caption));
        QCOMPARE(seen.text, qs(vap::joinLines(code.lines, "\n")));
        QCOMPARE(seen.lines, static_cast<int>(code.lines.size()));
        QVERIFY(seen.text.contains(QStringLiteral("JButton1")));
        QCOMPARE(seen.copyCaption, copyCaption);
    }

    void exampleClass() {
        dialogs->answerText(std::nullopt);
        vaptest::part<QAction>(menu(), "opc52")->trigger(); // cancelled: no code window
        QCOMPARE(dialogs->takeRequests().at(0).title, QStringLiteral("Gera uma Classe Exemplo"));
        CodeWindowSeen seen;
        dialogs->answerText(QStringLiteral("Cadastro"));
        expectCodeWindow(seen);
        vaptest::part<QAction>(menu(), "opc52")->trigger();
        QCOMPARE(seen.lines, 46);
        QCOMPARE(seen.text.count(QLatin1Char('\n')), 46);
        QVERIFY(seen.text.startsWith(QStringLiteral("/* CLASSE Cadastro\n")));
        QCOMPARE(seen.title, QStringLiteral("Código para a Classe Exemplo"));
        QCOMPARE(designer->design.window().JavaClassName, std::string("Cadastro"));
    }

    void openReplacesTheDesign() {
        click(vaptest::part<QToolButton>(designer->palette, "JB"));
        click(vaptest::part<QToolButton>(designer->palette, "JB"));
        click(vaptest::part<QToolButton>(designer->palette, "JCb"));
        dialogs->answerOpenFile(QStringLiteral(VAP_TEST_DATA "/golden/cadastro-file/design.vap"));
        vaptest::part<QAction>(menu(), "opc6")->trigger();
        auto asked = dialogs->takeRequests().at(0);
        QCOMPARE(asked.title, QStringLiteral("Abrir"));
        QCOMPARE(asked.text, QStringLiteral("Arquivos do Vaporina|*.vap"));
        QCOMPARE(menu().windowTitle(), QStringLiteral("Cadastro"));
        QCOMPARE(designer->widgetCount(), 3);
        QCOMPARE(designer->objectList(), QStringList({"JButton1", "JLabel1", "JTextField1"}));
        QCOMPARE(designer->widget("JLabel1")->geometry(), QRect(10, 50, 65, 17));
        QCOMPARE(designer->widget("JButton1")->geometry(), QRect(80, 80, 75, 25));
        QVERIFY(qobject_cast<vap::ui::TJTextField*>(designer->widget("JTextField1")));
        QCOMPARE(designer->widget("JTextField1")->toolTip(), QStringLiteral("Digite o nome"));
        click(vaptest::part<QToolButton>(
            designer->palette, "JB")); // the counters restarted and counted the file's button
        QVERIFY(designer->widget("JButton2"));
    }

    void openBadFileChangesNothing_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad number after a good record") << "bad/letters_in_number.vap"
                                                        << "'12a' is not a valid integer value.";
        QTest::newRow("bad name") << "bad/name_with_trailing_blank.vap"
                                  << "''JLabel9 '' is not a valid component name.";
        QTest::newRow("missing") << "bad/no-such-file.vap"
                                 << "File not found.";
    }
    void openBadFileChangesNothing() {
        QFETCH(QString, file);
        QFETCH(QString, message);
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));
        designer->design.setLeft(designer->control("JLabel1"), 70);
        dialogs->answerOpenFile(QStringLiteral(VAP_TEST_DATA "/") + file);
        vaptest::part<QAction>(menu(), "opc6")->trigger();
        QCOMPARE(shownError(), message);
        QCOMPARE(menu().windowTitle(), startCaption);
        QCOMPARE(designer->widgetCount(), 1);
        QCOMPARE(designer->widget("JLabel1")->geometry(), QRect(70, 40, 57, 13));
        QCOMPARE(designer->objectList(), QStringList({"JLabel1"}));
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));
        QVERIFY(designer->widget("JLabel2"));
    }

    void openAndSaveCancelled() {
        click(vaptest::part<QToolButton>(designer->palette, "JLi"));
        dialogs->answerOpenFile(QString());
        vaptest::part<QAction>(menu(), "opc6")->trigger();
        dialogs->answerSaveFile(QString());
        vaptest::part<QAction>(menu(), "opc7")->trigger();
        QCOMPARE(designer->objectList(), QStringList({"JList1"}));
    }

    void saveThenOpenGivesTheDesignBack() {
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));
        click(vaptest::part<QToolButton>(designer->palette, "JCb"));
        designer->design.setTop(designer->control("jComboBox1"), 90);
        QString path = folder.filePath(QStringLiteral("janela.vap"));
        dialogs->answerSaveFile(path);
        vaptest::part<QAction>(menu(), "opc7")->trigger();
        QCOMPARE(dialogs->takeRequests().at(0).title, QStringLiteral("Salvar"));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("JAN:"));

        vaptest::part<QAction>(menu(), "opc8")->trigger();
        QCOMPARE(designer->widgetCount(), 0);
        dialogs->answerOpenFile(path);
        vaptest::part<QAction>(menu(), "opc6")->trigger();
        QCOMPARE(designer->objectList(), QStringList({"jComboBox1", "JLabel1"}));
        QCOMPARE(designer->widget("jComboBox1")->geometry(), QRect(1, 90, 130, 21));
    }

    void saveToReadOnlyFileIsRefused() {
        click(vaptest::part<QToolButton>(designer->palette, "JB"));
        QFile file(folder.filePath(QStringLiteral("fixed.vap")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
        dialogs->answerSaveFile(file.fileName());
        vaptest::part<QAction>(menu(), "opc7")->trigger();
        QCOMPARE(shownError(), QStringLiteral("File access denied."));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("old"));
    }

    void clearClosesInspectorAndRestartsNames() {
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));
        click(vaptest::part<QToolButton>(designer->palette, "JB"));
        designer->design.setJavaClassName("Cadastro");
        onControl(QStringLiteral("JButton1"), vaptest::part<QAction>(menu(), "obj1"));
        QVERIFY(menu().InspectorOpen() && designer->inspector.isVisible());
        QCOMPARE(vaptest::part<QComboBox>(designer->inspector, "cbObjeto")->currentText(),
                 QStringLiteral("JButton1"));

        vaptest::part<QAction>(menu(), "opc8")->trigger();
        QCOMPARE(designer->controlsWhenInspectorClosed, 2); // closed before the controls went
        QVERIFY(!menu().InspectorOpen() && !designer->inspector.isVisible());
        QCOMPARE(designer->widgetCount(), 0);
        QVERIFY(designer->objectList().isEmpty());
        QCOMPARE(menu().windowTitle(), startCaption);
        QCOMPARE(designer->design.window().JavaClassName, std::string("Cadastro"));
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));
        QVERIFY(designer->widget("JLabel1"));
    }

    void deleteThroughControlMenu() {
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));
        click(vaptest::part<QToolButton>(designer->palette, "JB"));
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));
        onControl(QStringLiteral("JLabel2"), vaptest::part<QAction>(menu(), "obj2"));
        QCOMPARE(designer->controlsWhenInspectorClosed, -1); // it was not open
        click(vaptest::part<QToolButton>(designer->palette, "JLb"));

        onControl(QStringLiteral("JButton1"), vaptest::part<QAction>(menu(), "obj1"));
        onControl(QStringLiteral("JButton1"), vaptest::part<QAction>(menu(), "obj2"));
        QCOMPARE(designer->controlsWhenInspectorClosed, 3);
        QVERIFY(!menu().InspectorOpen() && !designer->inspector.isVisible());
        QVERIFY(!designer->widget("JButton1"));
        QCOMPARE(designer->widgetCount(), 2);
        QCOMPARE(designer->objectList(), QStringList({"JLabel1", "JLabel3"}));
        click(vaptest::part<QToolButton>(designer->palette, "JB")); // the counters are kept
        QVERIFY(designer->widget("JButton2"));
    }

    void exitAsksFirst() {
        int writes = 0;
        menu().setExitWriter([&writes] { ++writes; });
        dialogs->answerYesNo(false);
        vaptest::part<QAction>(menu(), "opcSair")->trigger();
        auto asked = dialogs->takeRequests().at(0);
        QCOMPARE(asked.title, QStringLiteral("Vaporina"));
        QCOMPARE(asked.text, QStringLiteral("Você deseja realmente sair ?"));
        QVERIFY(menu().isVisible());
        QCOMPARE(writes, 0);
        dialogs->answerYesNo(true);
        vaptest::part<QAction>(menu(), "opcSair")->trigger();
        QVERIFY(!menu().isVisible());
        QCOMPARE(writes, 1);
    }

    void errorBoxText() {
        // A full stop follows a last character past '.' in character order, and nothing else.
        for (QString message : {"File not found", "I/O error 32", "Why?", "Não"})
            QCOMPARE(vap::ui::errorBoxText(message), message + QLatin1Char('.'));
        for (QString message : {"Done.", "a,", "a-", "Stop!", "Trailing ", ""})
            QCOMPARE(vap::ui::errorBoxText(message), message);

        int done = 0;
        vap::ui::runCommand([&] {
            ++done;
            throw std::runtime_error("File not found");
        });
        QCOMPARE(done, 1);
        QCOMPARE(shownError(), QStringLiteral("File not found."));
    }
};

QTEST_MAIN(MenuCommands)
#include "commands_test.moc"
