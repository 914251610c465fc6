// The interface language: the settings file (with the real program run as a separate process),
// the language chooser, the splash and about windows, and the main window's first showing.

#include "support/designer.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "app/startup.h"
#include "core/model/creation.h"
#include "ui/clickablepicture.h"
#include "ui/facertaling.h"
#include "ui/fsobre.h"
#include "ui/fsplash.h"
#include "ui/settingsfile.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <cstdio>
#include <memory>
#include <unistd.h>

using vap::ui::appLanguage;
using vaptest::Designer;

namespace {

// ---- the program run as a separate process: its questions answered, what it shows printed

void say(const char* key, const QString& value = {}) {
    std::printf("%s=%s\n", key, value.toUtf8().constData());
    std::fflush(stdout);
}

/** Answers the exit question as told, picks a flag in the chooser, reports what shows. */
class ProgramDialogs : public vap::ui::Dialogs {
public:
    ProgramDialogs(bool exitYes, int chooseLingua) : yes_(exitYes), choose_(chooseLingua) {}

    std::optional<QString> askText(QWidget*, const QString&, const QString&, const QString&,
                                   int) override {
        return std::nullopt;
    }
    bool askYesNo(QWidget* parent, const QString& title, const QString& question) override {
        say("ask", title + QLatin1Char('|') + question);
        // Once the close has run its course, a window still open is reported and the run ends.
        QMetaObject::invokeMethod(
            qApp,
            [window = QPointer<QWidget>(parent)] {
                if (window && window->isVisible()) {
                    say("still-open");
                    QCoreApplication::exit(0);
                }
            },
            Qt::QueuedConnection);
        return yes_;
    }
    void showError(const QString&, const QString& message) override { say("error", message); }
    QString chooseOpenFile(QWidget*, const vap::ui::FileDialogTexts&) override { return {}; }
    QString chooseSaveFile(QWidget*, const vap::ui::FileDialogTexts&) override { return {}; }
    void runModal(QDialog* dialog) override {
        dialog->show();
        if (auto* chooser = qobject_cast<vap::ui::TF_AcertaLing*>(dialog)) {
            (choose_ == 2 ? vaptest::part<vap::ui::ClickablePicture>(chooser, "imgIng")
                          : vaptest::part<vap::ui::ClickablePicture>(chooser, "imgEsp"))
                ->clicked();
            vaptest::part<QToolButton>(chooser, "btOK")->click();
            return;
        }
        auto* splash = qobject_cast<vap::ui::TF_Splash*>(dialog);
        vap::ui::TF_Menu* menu = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            menu = menu ? menu : qobject_cast<vap::ui::TF_Menu*>(top);
        if (!splash || !menu)
            return;
        say("splash", vaptest::part<QLabel>(splash, "labTitulo")->text());
        say("caption", menu->windowTitle());
        say("opc1", vaptest::part<QAction>(menu, "opc1")->text());
        dialog->hide();
        QMetaObject::invokeMethod(
            menu,
            [menu, choose = choose_] {
                if (choose)
                    vaptest::part<QAction>(menu, "opc1")->trigger();
                menu->close();
            },
            Qt::QueuedConnection);
    }

private:
    bool yes_;
    int choose_;
};

int runAsProgram(char** argv) {
    ProgramDialogs dialogs(qstrcmp(argv[2], "yes") == 0, QByteArray(argv[3]).toInt());
    vap::ui::installDialogs(&dialogs);
    int argc = 1;
    int code = vap::app::runVaporina(argc, argv);
    vap::ui::installDialogs(nullptr);
    return code;
}

/** A copy of this program in a folder of its own, where it keeps its settings beside itself. */
class ProgramCopy {
public:
    ProgramCopy() {
        QString self = QCoreApplication::applicationFilePath();
        if (::link(QFile::encodeName(self).constData(), QFile::encodeName(program_).constData()))
            QFile::copy(self, program_);
    }
    QString settings() const { return folder_.filePath(QStringLiteral("vaplang.INI")); }
    const QString& folder() const { return folderPath_; }

    /** Runs it to its end: each printed line as a key and a value, and the exit code. */
    QMultiMap<QString, QString> run(bool exitYes, int chooseLingua = 0) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(program_,
                      {QStringLiteral("--as-program"), QLatin1String(exitYes ? "yes" : "no"),
                       QString::number(chooseLingua)});
        QMultiMap<QString, QString> shown;
        if (!process.waitForFinished(20000)) {
            process.kill();
            process.waitForFinished(5000);
            shown.insert(QStringLiteral("ended"), QStringLiteral("no"));
        }
        for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split('\n'))
            if (line.contains(QLatin1Char('=')))
                shown.insert(line.section('=', 0, 0), line.section('=', 1));
        shown.insert(QStringLiteral("exit"), QString::number(process.exitCode()));
        return shown;
    }

private:
    QTemporaryDir folder_, runtime_, home_;
    QString folderPath_ = folder_.path();
    QString program_ = folder_.filePath(QStringLiteral("vaplang"));
};

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/** The settings file's lines without blanks, as the program wrote them. */
QStringList settingsLines(const QString& path) {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(readAll(path)).split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

/** "Dec - 2026": the month as the C time locale abbreviates it, and the year. */
QString monthAndYear() {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    QDate today = QDate::currentDate();
    return QLatin1String(months[today.month() - 1]) + QStringLiteral(" - ") +
           QString::number(today.year());
}

const QString pt = QStringLiteral("Vaporina - versão 1.02");
const QString en = QStringLiteral("Vaporina - version 1.02");
const QString es = QStringLiteral("Vaporina - versión 1.02");
const QString none = QStringLiteral(" -  1.02"); // a code outside 1 to 3

} // namespace

class LanguageWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<vaptest::ScriptedDialogs> dialogs;
    std::unique_ptr<Designer> designer;

    void start(int lingua) {
        designer.reset();
        appLanguage() = vap::LanguageState{}; // as at program start
        designer = std::make_unique<Designer>(*dialogs, lingua);
        QVERIFY(designer->started());
        dialogs->takeRequests();
    }
    vap::ui::TF_Menu& menu() { return designer->menu; }
    /** Shows the modal window that the command opens and hands it to the check. */
    template <class Window, class Check> void onModal(QAction* command, Check check) {
        bool seen = false;
        dialogs->answerModal([&](QDialog& dialog) {
            dialog.show();
            seen = true;
            check(dynamic_cast<Window&>(dialog));
        });
        command->trigger();
        QVERIFY(seen);
    }

private slots:
    void init() {
        dialogs = std::make_unique<vaptest::ScriptedDialogs>();
        start(1);
    }
    void cleanup() {
        designer.reset();
        dialogs->verifySettled();
        dialogs.reset();
    }

    // ---- the settings file

    void settingsPath() {
        QTemporaryDir folder, config;
        QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        using vap::ui::SettingsFile;
        QCOMPARE(SettingsFile::pathFor(folder.filePath("vaporina")),
                 folder.filePath("vaporina.INI"));
        QCOMPARE(SettingsFile::pathFor(folder.filePath("vap.orina.exe")),
                 folder.filePath("vap.orina.INI"));
        // A folder the program cannot write to: the configuration folder, unless the file exists.
        QCOMPARE(SettingsFile::pathFor(folder.filePath("missing/vaporina")),
                 config.filePath("vaporina.INI"));
        if (geteuid() != 0) { // a folder without write access
            QVERIFY(QDir(folder.path()).mkdir("ro"));
            QFile::setPermissions(folder.filePath("ro"), QFile::ReadOwner | QFile::ExeOwner);
            QCOMPARE(SettingsFile::pathFor(folder.filePath("ro/vaporina")),
                     config.filePath("vaporina.INI"));
        }
        // Written there, the folder made when missing.
        SettingsFile inConfig(config.filePath("sub/vaporina.INI"));
        QCOMPARE(inConfig.readIdioma(), 1);
        inConfig.writeIdioma(3);
        QCOMPARE(SettingsFile(config.filePath("sub/vaporina.INI")).readIdioma(), 3);
        qputenv("XDG_CONFIG_HOME", savedConfig);
    }

    void programStartsAndExits_data() {
        // Empty: no file; "<folder>": a folder where the file would be, which not even the
        // superuser can write; "<read-only>": Idioma=1 in a folder without write access.
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("exitYes");
        QTest::addColumn<int>("choose");
        QTest::addColumn<QString>("error"); // PATH: the settings file's
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("opc1");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QByteArray>("written"); // empty: the file is left as it was
        QTest::newRow("first run")
            << QByteArray() << true << 0 << "" << pt << "&Linguagem"
            << "Vaporina|Você deseja realmente sair ?" << QByteArray("[Padrao]\nIdioma=1");
        QTest::newRow("Spanish") << QByteArray("[Padrao]\nIdioma=3\n") << true << 0 << "" << es
                                 << "&Idioma"
                                 << "Vaporina|Usted realmente quiere salir ?"
                                 << QByteArray("[Padrao]\nIdioma=3");
        const QString unreadable = QStringLiteral("'abc' is not a valid integer value.");
        QTest::newRow("not a number")
            << QByteArray("[Padrao]\nIdioma=abc\n") << true << 0 << unreadable << pt << "&Linguagem"
            << "Vaporina|Você deseja realmente sair ?" << QByteArray("[Padrao]\nIdioma=1");
        QTest::newRow("not a number, then English chosen")
            << QByteArray("[Padrao]\nIdioma=abc\n") << true << 2 << unreadable << pt << "&Linguagem"
            << "Vaporina|You really want to leave ?" << QByteArray("[Padrao]\nIdioma=2");
        QTest::newRow("outside 1 to 3")
            << QByteArray("[Padrao]\nIdioma=7\n") << true << 0 << "" << none << "&Linguagem"
            << "|" << QByteArray("[Padrao]\nIdioma=7");
        QTest::newRow("No at the exit question")
            << QByteArray("; kept\r\n[Padrao]\r\nIdioma=2\r\n") << false << 0 << "" << en
            << "&Language"
            << "Vaporina|You really want to leave ?" << QByteArray();
        for (const char* unwritable : {"<folder>", "<read-only>"})
            QTest::newRow(unwritable) << QByteArray(unwritable) << true << 0
                                      << "Unable to write to PATH." << pt << "&Linguagem"
                                      << "Vaporina|Você deseja realmente sair ?" << QByteArray();
    }
    void programStartsAndExits() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, exitYes);
        QFETCH(int, choose);
        QFETCH(QString, error);
        QFETCH(QString, caption);
        QFETCH(QString, opc1);
        QFETCH(QString, question);
        QFETCH(QByteArray, written);
        ProgramCopy copy;
        const auto writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        if (stored == "<folder>") {
            QVERIFY(QDir(copy.folder()).mkdir(QStringLiteral("vaplang.INI")));
        } else if (stored == "<read-only>") {
            if (geteuid() == 0)
                QSKIP("the superuser writes to read-only folders");
            QVERIFY(writeFile(copy.settings(), stored = "[Padrao]\nIdioma=1\n"));
            QFile::setPermissions(copy.folder(), writable & ~QFile::WriteOwner);
        } else if (!stored.isEmpty()) {
            QVERIFY(writeFile(copy.settings(), stored));
        }
        auto shown = copy.run(exitYes, choose);
        QFile::setPermissions(copy.folder(), writable);
        error.replace(QStringLiteral("PATH"), copy.settings());
        QVERIFY(!shown.contains("ended"));
        QCOMPARE(shown.values("error"), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(shown.values("splash"), QStringList{caption}); // the splash showed, once
        QCOMPARE(shown.value("caption"), caption);
        QCOMPARE(shown.value("opc1"), opc1);
        QCOMPARE(shown.values("ask"), QStringList{question});
        QCOMPARE(shown.contains("still-open"), !exitYes);
        QCOMPARE(shown.value("exit"), QStringLiteral("0"));
        if (written.isEmpty())
            QCOMPARE(readAll(copy.settings()), stored == "<folder>" ? "<none>" : stored);
        else
            QCOMPARE(settingsLines(copy.settings()), QString::fromLatin1(written).split('\n'));
    }

    // ---- the chooser

    void chooserOpensInCurrentLanguage_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<QString>("texts"); // caption, LabEscolha, labPor, LabIng, labEsp
        QTest::newRow("pt") << 1 << "Bem Vindo...|Escolha a linguagem:|Português|Inglês|Espanhol";
        QTest::newRow("en") << 2 << "Welcome...|Choose the language:|Portuguese|English|Spanish";
        QTest::newRow("es") << 3 << "Bienvenida...|Escoja el idioma:|Portugués|Inglés|Español";
        QTest::newRow("outside: as designed")
            << 7 << "Bem Vindo...|Escolha a linguagem:|Português|Inglês|Espanhol";
    }
    void chooserOpensInCurrentLanguage() {
        QFETCH(int, lingua);
        QFETCH(QString, texts);
        start(lingua);
        onModal<vap::ui::TF_AcertaLing>(
            vaptest::part<QAction>(menu(), "opc1"), [&](vap::ui::TF_AcertaLing& chooser) {
                QCOMPARE(QStringList({chooser.windowTitle(),
                                      vaptest::part<QLabel>(chooser, "LabEscolha")->text(),
                                      vaptest::part<QLabel>(chooser, "labPor")->text(),
                                      vaptest::part<QLabel>(chooser, "LabIng")->text(),
                                      vaptest::part<QLabel>(chooser, "labEsp")->text()}),
                         texts.split('|'));
                QCOMPARE(vap::ui::Lingua(), lingua); // showing it changes nothing
                chooser.close();
            });
    }

    void flagThenOkSwitchesTheMainWindow() {
        start(2);
        designer->design.setCaption("Clientes");
        onModal<vap::ui::TF_AcertaLing>(
            vaptest::part<QAction>(menu(), "opc1"), [&](vap::ui::TF_AcertaLing& chooser) {
                QTest::mouseClick(vaptest::part<QLabel>(chooser, "labEsp"),
                                  Qt::LeftButton); // the labels do not react
                QCOMPARE(vap::ui::Lingua(), 2);
                QTest::mouseClick(vaptest::part<vap::ui::ClickablePicture>(chooser, "imgEsp"),
                                  Qt::LeftButton);
                QCOMPARE(vap::ui::Lingua(), 3);
                QCOMPARE(chooser.windowTitle(), QStringLiteral("Bienvenida..."));
                QCOMPARE(vaptest::part<QLabel>(chooser, "LabEscolha")->text(),
                         QStringLiteral("Escoja el idioma:"));
                QCOMPARE(vaptest::part<QAction>(menu(), "opc1")->text(),
                         QStringLiteral("&Language")); // not yet
                QTest::mouseClick(vaptest::part<QToolButton>(chooser, "btOK"), Qt::LeftButton);
                QVERIFY(!chooser.isVisible());
            });
        QCOMPARE(vaptest::part<QAction>(menu(), "opc1")->text(), QStringLiteral("&Idioma"));
        QCOMPARE(menu().windowTitle(), es);
        QCOMPARE(vaptest::part<QAction>(menu(), "Versao")->text(),
                 monthAndYear() + QStringLiteral(" - versión 1.02"));
    }

    void closeBoxAfterFlagKeepsTheMenus() {
        designer->design.setCaption("Clientes");
        QTest::mouseClick(vaptest::part<QToolButton>(designer->palette, "JB"), Qt::LeftButton);
        menu().openControlMenu(designer->widget("JButton1"), QPoint(10, 10));
        vaptest::part<QAction>(menu(), "obj1")->trigger();
        vaptest::part<QMenu>(menu(), "popObj")->hide();
        QVERIFY(designer->inspector.isVisible());
        onModal<vap::ui::TF_AcertaLing>(
            vaptest::part<QAction>(menu(), "opc1"), [&](vap::ui::TF_AcertaLing& chooser) {
                // The language command closed the inspector first.
                QVERIFY(!designer->inspector.isVisible() && !menu().InspectorOpen());
                QTest::mouseClick(vaptest::part<vap::ui::ClickablePicture>(chooser, "imgIng"),
                                  Qt::LeftButton);
                chooser.close();
            });
        QCOMPARE(vap::ui::Lingua(), 2);
        QCOMPARE(vaptest::part<QAction>(menu(), "opc1")->text(), QStringLiteral("&Linguagem"));
        QCOMPARE(menu().windowTitle(), pt); // composed again, from the old texts
        QCOMPARE(vaptest::part<QAction>(menu(), "Versao")->text(),
                 monthAndYear() + QStringLiteral(" - versão 1.02"));
    }

    // ---- splash and about windows

    void splashAndAbout_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<QString>("title");
        // The about caption's start (before " - month - year - version"), sites label, hint.
        QTest::addColumn<QString>("about");
        QTest::newRow("pt") << 1 << pt << "Autor Vaporina|Meus Sites:|Tenha minha paz";
        QTest::newRow("en") << 2 << en << "Author Vaporina|My Sites:|Have my peace";
        QTest::newRow("es") << 3 << es << "Autor Vaporina|Mis Sitios:|Tenga mi paz";
        QTest::newRow("outside") << 7 << none << "Autor do Sistema |Home-Page|";
    }
    void splashAndAbout() {
        QFETCH(int, lingua);
        QFETCH(QString, title);
        QFETCH(QString, about);
        start(lingua);
        onModal<vap::ui::TF_Splash>(
            vaptest::part<QAction>(menu(), "Versao"), [&](vap::ui::TF_Splash& splash) {
                QCOMPARE(vaptest::part<QLabel>(splash, "labTitulo")->text(), title);
                splash.close();
            });
        QString version = title.section(QStringLiteral(" - "), 1);
        onModal<vap::ui::TF_Sobre>(
            vaptest::part<QAction>(menu(), "Criador"), [&](vap::ui::TF_Sobre& window) {
                QCOMPARE(QStringList({window.windowTitle(),
                                      vaptest::part<QLabel>(window, "lbSite")->text(),
                                      vaptest::part<QPushButton>(window, "btSair")->toolTip()}),
                         QStringList({about.section('|', 0, 0) + QStringLiteral(" - ") +
                                          monthAndYear() + QStringLiteral(" - ") + version,
                                      about.section('|', 1, 1), about.section('|', 2, 2)}));
                QTest::mouseClick(vaptest::part<QPushButton>(window, "btSair"), Qt::LeftButton);
                QVERIFY(!window.isVisible());
            });
    }

    // ---- the main window's first showing

    void firstShowOrder() {
        designer.reset();
        appLanguage() = vap::LanguageState{};
        vap::Design design;
        vap::createOfKind(design, vap::ControlKind::Label, true);
        vap::ui::TF_Menu window(design);
        const QString designed = window.windowTitle();
        bool painted = false;
        connect(&window, &vap::ui::TF_Menu::firstPainted, this, [&] { painted = true; });
        QStringList steps;
        window.setLanguageReader([&] {
            steps << QStringLiteral("read: controls %1, inspector open %2, code %3, caption %4")
                         .arg(design.controls().size())
                         .arg(int(window.InspectorOpen()))
                         .arg(vap::ui::Lingua())
                         .arg(window.windowTitle() == designed ? "designed" : "set");
            return 3;
        });
        dialogs->answerModal([&](QDialog& splash) {
            steps << splash.objectName();
            QVERIFY(window.isVisible() && painted); // over the main window, on the screen
            QCOMPARE(window.windowTitle(), es);
            QCOMPARE(vaptest::part<QAction>(window, "opc1")->text(), QStringLiteral("&Idioma"));
            QCOMPARE(vaptest::part<QAction>(window, "Versao")->text(),
                     monthAndYear() + QStringLiteral(" - versión 1.02"));
        });
        window.show();
        QVERIFY(QTest::qWaitFor([&] { return steps.size() == 2; }, 5000));
        // The setting is read after the clear, before any language or caption is set.
        QCOMPARE(steps, QStringList({"read: controls 0, inspector open 0, code 0, caption designed",
                                     "F_Splash"}));
        // Clear set the counters back: the next label is JLabel1 again.
        QCOMPARE(vap::createOfKind(design, vap::ControlKind::Label, true).name(),
                 std::string("JLabel1"));
        dialogs->takeRequests();
    }
};

int main(int argc, char** argv) {
    if (argc > 3 && qstrcmp(argv[1], "--as-program") == 0)
        return runAsProgram(argv);
    qputenv("LC_TIME", "C"); // the about window's month
    qunsetenv("LC_ALL");
    QApplication application(argc, argv);
    LanguageWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "language_test.moc"
