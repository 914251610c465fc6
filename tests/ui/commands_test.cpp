// The main window's commands through its real menu entries, the palette, and the error box.

#include "support/designer.h"
#include "support/files.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "ui/errorbox.h"
#include "ui/fgera.h"
#include "ui/javapreview.h"
#include "ui/tjcomponent.h"

#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using vap::ui::qs;

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
    void expectCodeWindow(CodeWindowSeen& seen) {
        dialogs->answerModal([&seen](QDialog& dialog) {
            auto& gera = dynamic_cast<vap::ui::TF_Gera&>(dialog);
            seen = {gera.windowTitle(),
                    vaptest::part<QPlainTextEdit>(gera, "memResult")->toPlainText(),
                    vaptest::part<QPushButton>(gera, "butCopia")->text(), gera.lineCount()};
        });
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void caption_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("typed, in English") << 2 << false << "Customers"
                                           << "Report the Caption:";
        QTest::newRow("cancelled") << 1 << true << ""
                                   << "Informe a Legenda:";
        QTest::newRow("empty accepted") << 1 << false << ""
                                        << "Informe a Legenda:";
        QTest::newRow("too long for Java")
            << 3 << false << QString(21846, QChar(0x20AC)) << "Informe el Subtítulo:";
    }
    void caption() {
        QFETCH(int, lingua);
        QFETCH(bool, cancel);
        QFETCH(QString, answer);
        QFETCH(QString, prompt);
        start(lingua);
        QString before = menu().windowTitle();
        bool tooLong = answer.size() > 65534 / 3; // the euro sign takes 3 bytes
        QString caption = cancel || tooLong ? before : answer;
        dialogs->answerText(cancel ? std::nullopt : std::optional<QString>(answer));
        designer->trigger("opc2");
        if (tooLong)
            QVERIFY(dialogs->takeError().startsWith("El subtítulo de la ventana es demasiado"));
        auto asked = dialogs->takeRequests().at(0);
        QCOMPARE(asked.text, prompt);
        QCOMPARE(asked.preset, before);
        QCOMPARE(qs(designer->design.window().caption), caption);
        QCOMPARE(menu().windowTitle(), caption);
        // A code outside 1 to 3 asks nothing (an unexpected question fails the test).
        vap::ui::appLanguage().Lingua = vap::LanguageCode(4);
        designer->trigger("opc2");
        QCOMPARE(menu().windowTitle(), caption);
    }

    void formatMarks() {
        const vap::DesignWindow& window = designer->design.window();
        designer->trigger("opc31");
        QVERIFY(designer->entry("opc31")->isChecked() && window.resizable);
        designer->trigger("opc31");
        QVERIFY(!designer->entry("opc31")->isChecked() && !window.resizable);
        designer->trigger("opc31");
        designer->trigger("opc32");
        designer->trigger("opc8"); // Clear keeps both marks
        QVERIFY(designer->entry("opc31")->isChecked() && window.resizable);
        QVERIFY(designer->entry("opc32")->isChecked() && window.modal);
        designer->trigger("opc32");
        QVERIFY(!designer->entry("opc32")->isChecked() && !window.modal && window.resizable);
    }

    void createObjectsShowsPalette() {
        start(2);
        QVERIFY(!designer->palette.isVisible());
        designer->trigger("opc4");
        QVERIFY(designer->palette.isVisible());
        QCOMPARE(designer->palette.windowTitle(), QStringLiteral("Create Object"));
        // Already visible: the entry's caption, without its access letter's mark.
        designer->trigger("opc4");
        QCOMPARE(designer->palette.windowTitle(), QStringLiteral("Create Object"));
        // A code outside 1 to 3 keeps whatever caption was there.
        designer->palette.hide();
        vap::ui::appLanguage().Lingua = vap::LanguageCode(4);
        designer->palette.show();
        QCOMPARE(designer->palette.windowTitle(), QStringLiteral("Create Object"));
    }

    void paletteMakesOneControlPerClick() {
        for (int i = 0; i < 3; ++i)
            designer->create("JB");
        designer->create("JPF");
        designer->create("JTF");
        for (const char* name : {"JButton1", "JButton2", "JButton3"})
            QCOMPARE(designer->shown(name).geometry(), QRect(1, 40, 100, 30));
        QCOMPARE(menu().canvas().controlAt(QPoint(50, 65)),
                 &designer->control("JButton3")); // on top
        QVERIFY(!designer->control("JPasswordField1").eTextField());
        QVERIFY(designer->control("JTextField1").eTextField());
        QCOMPARE(designer->objectList(), QStringList({"JButton1", "JButton2", "JButton3",
                                                      "JPasswordField1", "JTextField1"}));
    }

    void windowObjects() {
        const vap::LanguageCode lingua = vap::Language::English;
        start(lingua.code());
        designer->create("JB");
        designer->create("JLb");
        CodeWindowSeen seen;
        expectCodeWindow(seen);
        designer->trigger("opc51");
        vap::LineCollector code;
        vap::GeraObjetosJanela(designer->design, vap::commentTextsFor(lingua), code);
        QCOMPARE(seen.title, qs(*vap::windowObjectsCaption(lingua)));
        QCOMPARE(seen.text, qs(vap::joinLines(code.lines, "\n")));
        QCOMPARE(seen.lines, static_cast<int>(code.lines.size()));
        QVERIFY(seen.text.contains(QStringLiteral("JButton1")));
        QCOMPARE(seen.copyCaption, QStringLiteral("&Copy"));
    }

    void exampleClass() {
        dialogs->answerText(std::nullopt);
        designer->trigger("opc52"); // cancelled: no code window
        QCOMPARE(dialogs->takeRequests().at(0).title, QStringLiteral("Gera uma Classe Exemplo"));
        CodeWindowSeen seen;
        dialogs->answerText(QStringLiteral("Cadastro"));
        expectCodeWindow(seen);
        designer->trigger("opc52");
        QCOMPARE(seen.lines, 46);
        QCOMPARE(seen.text.count(QLatin1Char('\n')), 46);
        QVERIFY(seen.text.startsWith(QStringLiteral("/* CLASSE Cadastro\n")));
        QCOMPARE(seen.title, QStringLiteral("Código para a Classe Exemplo"));
        QCOMPARE(designer->design.window().JavaClassName, std::string("Cadastro"));
    }

    // See it in Java where it runs nothing: a design javac would refuse shows in the code window
    // with its source and the reason; with no javac on the path, Ctrl+R names the package.
    void previewRefusedOrWithoutJdk() {
        vap::ui::JavaPreview preview;
        menu().attachPreview(&preview);
        designer->design.setCaption(std::string(70000, 'T'));
        QString title, source, reason;
        dialogs->answerModal([&](QDialog& gera) {
            title = gera.windowTitle();
            source = vaptest::part<QPlainTextEdit>(gera, "memResult")->toPlainText();
            reason = vaptest::part<QLabel>(gera, "lblAviso")->text();
        });
        designer->trigger("opc53");
        QTRY_COMPARE(title, QStringLiteral("Teste.java"));
        QVERIFY(source.contains(QStringLiteral("public class Teste extends JFrame {")));
        QVERIFY(reason.startsWith(QStringLiteral("O javac recusará este código:\nA legenda da")));

        designer->design.setCaption("Short");
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        QTest::keyClick(&menu(), Qt::Key_R, Qt::ControlModifier);
        qputenv("PATH", path);
        vaptest::ScriptedDialogs::deliverReportedErrors();
        QVERIFY(dialogs->takeError().contains(QStringLiteral("pacote default-jdk")));
        menu().attachPreview(nullptr);
    }

    void openReplacesTheDesign() {
        designer->create("JB");
        designer->create("JB");
        designer->create("JCb");
        dialogs->answerOpenFile(QStringLiteral(VAP_TEST_DATA "/golden/cadastro-file/design.vap"));
        designer->trigger("opc6");
        auto asked = dialogs->takeRequests().at(0);
        QCOMPARE(asked.title, QStringLiteral("Abrir"));
        QCOMPARE(asked.text, QStringLiteral("Arquivos do Vaporina|*.vap"));
        QCOMPARE(menu().windowTitle(), QStringLiteral("Cadastro"));
        QCOMPARE(designer->shownCount(), 3);
        QCOMPARE(designer->objectList(), QStringList({"JButton1", "JLabel1", "JTextField1"}));
        QCOMPARE(designer->shown("JLabel1").geometry(), QRect(10, 50, 65, 17));
        QCOMPARE(designer->shown("JButton1").geometry(), QRect(80, 80, 75, 25));
        QCOMPARE(vap::ui::TJComponent::ofKind(designer->control("JTextField1").kind()).className(),
                 "TJTextField");
        QCOMPARE(designer->shown("JTextField1").toolTip(), QStringLiteral("Digite o nome"));
        designer->create("JB"); // the counters restarted and counted the file's button
        QVERIFY(designer->shown("JButton2"));
    }

    // The reader's other refusals reach the window the same way; tests/core/badfiles_test.cpp
    // has each file's message.
    void openBadFileChangesNothing() {
        designer->create("JLb");
        designer->design.setLeft(designer->control("JLabel1"), 70);
        dialogs->answerOpenFile(QStringLiteral(VAP_TEST_DATA "/bad/letters_in_number.vap"));
        designer->trigger("opc6");
        QCOMPARE(dialogs->takeError(), QStringLiteral("'12a' is not a valid integer value."));
        QCOMPARE(menu().windowTitle(), startCaption);
        QCOMPARE(designer->shownCount(), 1);
        QCOMPARE(designer->shown("JLabel1").geometry(), QRect(70, 40, 57, 13));
        QCOMPARE(designer->objectList(), QStringList({"JLabel1"}));
        designer->create("JLb");
        QVERIFY(designer->shown("JLabel2"));
    }

    // A command that adds controls stops at the designer's limit before anything changes; what
    // it takes is one step that undo and redo give back exactly. Pasting the same records again
    // lands 10 pixels further each time.
    void addingControlsUpToTheLimit_data() {
        QTest::addColumn<int>("filled");
        QTest::addColumn<int>("pasted"); // records on the clipboard
        QTest::addColumn<int>("times");  // commands run
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QString>("error");
        const QString past = QStringLiteral("Too many controls: %1 would make 200001, the designer "
                                            "shows at most 200000.");
        QTest::newRow("big paste") << 1 << 100000 << 1 << QByteArray("opcPaste") << QString();
        QTest::newRow("pasted twice") << 2 << 3 << 2 << QByteArray("opcPaste") << QString();
        QTest::newRow("paste to it") << 199999 << 1 << 1 << QByteArray("opcPaste") << QString();
        QTest::newRow("paste past it")
            << 199999 << 2 << 1 << QByteArray("opcPaste") << past.arg("the paste");
        QTest::newRow("duplicate past it")
            << 199999 << 0 << 1 << QByteArray("objDuplicate") << past.arg("the duplicate");
        QTest::newRow("palette past it")
            << 200000 << 0 << 1 << QByteArray("JLb") << past.arg("a new control");
    }
    void addingControlsUpToTheLimit() {
        QFETCH(int, filled);
        QFETCH(int, pasted);
        QFETCH(int, times);
        QFETCH(QByteArray, command);
        QFETCH(QString, error);
        vap::Design& design = designer->design;
        vap::DesignContents contents;
        for (int i = 0; i < filled; ++i)
            contents.controls.push_back({vap::ControlKind::Label, "c" + std::to_string(i), "", ""});
        design.replaceContents(contents);
        std::vector<vap::ControlData> copied;
        for (int i = 0; i < pasted; ++i)
            copied.push_back(
                {vap::ControlKind::Button, "b" + std::to_string(i), "", "", true, i, 0, 10, 10, 0});
        QGuiApplication::clipboard()->setText(qs(vap::controlRecords(copied)));
        const auto& controls = design.controls();
        menu().canvas().select({controls[0].get(), controls.back().get()});
        auto state = [&design] {
            std::string bytes = vap::serializeDesign(design);
            for (std::int32_t counter : design.kindCounters())
                bytes += ' ' + std::to_string(counter);
            return bytes;
        };
        for (int time = 1; time < times; ++time)
            designer->trigger(command);
        const std::string before = state();
        const int steps = designer->document.history().count();
        if (command == "JLb")
            designer->create("JLb");
        else
            designer->trigger(command);
        if (!error.isEmpty()) {
            QCOMPARE(dialogs->takeError(), error);
            QCOMPARE(state(), before);
            QCOMPARE(designer->document.history().count(), steps);
            QCOMPARE(menu().canvas().selection().size(), std::size_t{2});
            return;
        }
        QCOMPARE(controls.size(), static_cast<std::size_t>(filled + pasted * times));
        const std::vector<const vap::Control*>& made = menu().canvas().selection();
        QCOMPARE(made.size(), static_cast<std::size_t>(pasted));
        QCOMPARE(made.back()->name(), "JButton" + std::to_string(pasted * times));
        QCOMPARE(made.back()->left(), pasted - 1 + 10 * times);
        const std::string after = state();
        designer->document.history().undo();
        QCOMPARE(state(), before);
        designer->document.history().redo();
        QCOMPARE(state(), after);
    }

    void openAndSaveCancelled() {
        designer->create("JLi");
        dialogs->answerOpenFile(QString());
        designer->trigger("opc6");
        dialogs->answerSaveFile(QString());
        designer->trigger("opc7");
        QCOMPARE(designer->objectList(), QStringList({"JList1"}));
    }

    void saveToReadOnlyFileIsRefused() {
        designer->create("JB");
        const QString path = folder.filePath(QStringLiteral("fixed.vap"));
        QVERIFY(vaptest::writeFile(path, QByteArray("old")));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner));
        dialogs->answerSaveFile(path);
        designer->trigger("opc7");
        QCOMPARE(dialogs->takeRequests().at(0).title, QStringLiteral("Salvar"));
        QCOMPARE(dialogs->takeError(), QStringLiteral("File access denied."));
        QCOMPARE(vaptest::readFile(path), QByteArray("old"));
    }

    void clearClosesInspectorAndRestartsNames() {
        designer->create("JLb");
        designer->create("JB");
        designer->design.setJavaClassName("Cadastro");
        designer->onControl(QStringLiteral("JButton1"), "obj1");
        QVERIFY(menu().InspectorOpen() && designer->inspector.isVisible());
        QCOMPARE(vaptest::part<QComboBox>(designer->inspector, "cbObjeto")->currentText(),
                 QStringLiteral("JButton1"));

        designer->trigger("opc8");
        QCOMPARE(designer->controlsWhenInspectorClosed, 2); // closed before the controls went
        QVERIFY(!menu().InspectorOpen() && !designer->inspector.isVisible());
        QCOMPARE(designer->shownCount(), 0);
        QVERIFY(designer->objectList().isEmpty());
        QCOMPARE(menu().windowTitle(), startCaption);
        QCOMPARE(designer->design.window().JavaClassName, std::string("Cadastro"));
        designer->create("JLb");
        QVERIFY(designer->shown("JLabel1"));
    }

    void deleteThroughControlMenu() {
        designer->create("JLb");
        designer->create("JB");
        designer->create("JLb");
        designer->onControl(QStringLiteral("JLabel2"), "obj2");
        QCOMPARE(designer->controlsWhenInspectorClosed, -1); // it was not open
        designer->create("JLb");

        designer->onControl(QStringLiteral("JButton1"), "obj1");
        designer->onControl(QStringLiteral("JButton1"), "obj2");
        QCOMPARE(designer->controlsWhenInspectorClosed, 3);
        QVERIFY(!menu().InspectorOpen() && !designer->inspector.isVisible());
        QVERIFY(!designer->shown("JButton1"));
        QCOMPARE(designer->shownCount(), 2);
        QCOMPARE(designer->objectList(), QStringList({"JLabel1", "JLabel3"}));
        designer->create("JB"); // the counters are kept
        QVERIFY(designer->shown("JButton2"));
    }

    void exitAsksFirst() {
        int writes = 0;
        menu().setExitWriter([&writes] { ++writes; });
        dialogs->answerYesNo(false);
        designer->trigger("opcSair");
        auto asked = dialogs->takeRequests().at(0);
        QCOMPARE(asked.title, QStringLiteral("Vaporina"));
        QCOMPARE(asked.text, QStringLiteral("Você deseja realmente sair ?"));
        QVERIFY(menu().isVisible());
        QCOMPARE(writes, 0);
        dialogs->answerYesNo(true);
        designer->trigger("opcSair");
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
        QCOMPARE(dialogs->takeError(), QStringLiteral("File not found."));
    }
};

QTEST_MAIN(MenuCommands)
#include "commands_test.moc"
