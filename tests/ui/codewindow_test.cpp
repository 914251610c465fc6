// The code window's select-all and copy buttons and what lands on the clipboard.

#include "support/designer.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/windowobjects.h"
#include "ui/fgera.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

using vap::ui::TF_Gera;

namespace {

std::unique_ptr<TF_Gera> filledWindow(const std::vector<std::string>& lines) {
    auto window = std::make_unique<TF_Gera>();
    window->fill(vap::GeneratedCode{std::nullopt, lines, {}});
    return window;
}

void press(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class CodeWindow : public QObject {
    Q_OBJECT

private slots:
    void init() { vap::ui::appLanguage().Lingua = vap::Language::Portuguese; }

    void selectAllThenCopyThroughTheMenu() {
        vaptest::ScriptedDialogs dialogs;
        vaptest::Designer designer(dialogs);
        QVERIFY(designer.started());
        designer.create("JB");
        designer.create("JTF");
        dialogs.answerModal([](QDialog& dialog) {
            auto& gera = dynamic_cast<TF_Gera&>(dialog);
            press(vaptest::part<QPushButton>(gera, "butSeleciona"));
            press(vaptest::part<QPushButton>(gera, "butCopia"));
        });
        designer.trigger("opc51");
        dialogs.verifySettled();

        vap::LineCollector code;
        vap::GeraObjetosJanela(designer.design, vap::commentTextsFor(vap::Language::Portuguese),
                               code);
        QString expected = vap::ui::qs(vap::joinLines(code.lines, "\r\n"));
        QVERIFY(expected.contains(QStringLiteral("\r\n\r\n"))); // empty lines are kept too
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void copyWithoutSelectionLeavesClipboard() {
        auto window = filledWindow({"line one", "line two"});
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        press(vaptest::part<QPushButton>(window.get(), "butCopia"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    }

    void copyTakesOnlyTheSelection() {
        auto window = filledWindow({"alpha", "beta", "gamma"});
        QTextCursor cursor = vaptest::part<QPlainTextEdit>(window.get(), "memResult")->textCursor();
        cursor.setPosition(2);
        cursor.setPosition(8, QTextCursor::KeepAnchor); // "pha\nbe"
        vaptest::part<QPlainTextEdit>(window.get(), "memResult")->setTextCursor(cursor);
        press(vaptest::part<QPushButton>(window.get(), "butCopia"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("pha\r\nbe"));
    }

    // Tab walks select, text, copy without typing into the text; Escape leaves the window open;
    // every language's captions fit their buttons.
    void keysAndCaptions() {
        for (int lingua : {1, 2, 3}) {
            vap::ui::appLanguage().Lingua = vap::LanguageCode(lingua);
            auto window = filledWindow({"x"});
            window->show();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            auto* select = vaptest::part<QPushButton>(window.get(), "butSeleciona");
            auto* text = vaptest::part<QPlainTextEdit>(window.get(), "memResult");
            for (QPushButton* button :
                 {select, vaptest::part<QPushButton>(window.get(), "butCopia")})
                QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
            text->setFocus();
            QTest::keyClick(text, Qt::Key_Tab);
            QCOMPARE(text->toPlainText(), QStringLiteral("x\n"));
            QCOMPARE(QApplication::focusWidget(), vaptest::part<QWidget>(window.get(), "butCopia"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QVERIFY(window->isVisible());
        }
    }

    // Run under a real X server (xvfb-run): another program reads what was copied.
    void clipboardSeenByOtherPrograms() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server; run through xvfb-run");
        QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
        QVERIFY2(!xclip.isEmpty(), "xclip is not installed (Debian package xclip)");

        auto window = filledWindow({"JButton b = new JButton(\"Sí\");", ""});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        press(vaptest::part<QPushButton>(window.get(), "butSeleciona"));
        press(vaptest::part<QPushButton>(window.get(), "butCopia"));

        // The clipboard is served by this process, so its event loop must run while xclip reads.
        QProcess reader;
        reader.start(xclip, {QStringLiteral("-o"), QStringLiteral("-selection"),
                             QStringLiteral("clipboard")});
        QTRY_VERIFY_WITH_TIMEOUT(reader.state() == QProcess::NotRunning, 10000);
        QCOMPARE(reader.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(reader.readAllStandardOutput()),
                 QStringLiteral("JButton b = new JButton(\"Sí\");\r\n\r\n"));
    }
};

QTEST_MAIN(CodeWindow)
#include "codewindow_test.moc"
