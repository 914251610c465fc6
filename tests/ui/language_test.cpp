// The interface language: the settings file (with the real program run as a separate process),
// the language chooser, the splash and about windows, and the main window's first showing.

#include "support/designer.h"
#include "support/files.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "app/startup.h"
#include "core/model/creation.h"
#include "ui/clickablepicture.h"
#include "ui/designdocument.h"
#include "ui/facertaling.h"
#include "ui/fsobre.h"
#include "ui/fsplash.h"
#include "ui/settingsfile.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <optional>
#include <unistd.h>

using vap::ui::appLanguage;
using vaptest::writeFile;

namespace {

/** The chooser's flag of a language code from 1 to 3. */
vap::ui::ClickablePicture* flag(QObject& chooser, int lingua) {
    static const char* const names[] = {"imgPort", "imgIng", "imgEsp"};
    return vaptest::part<vap::ui::ClickablePicture>(chooser, names[lingua - 1]);
}

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
    vap::ui::Answer askYesNoOrLater(QWidget*, const vap::ui::QuestionTexts& texts) override {
        say("ask", texts.title + QLatin1Char('|') + texts.question);
        return vap::ui::Answer::Later;
    }
    void showError(const QString&, const QString& message) override {
        say("error", message);
        // A setting that cannot be read stops the first showing: no splash ends the run.
        QMetaObject::invokeMethod(
            qApp, [this] { runModal(nullptr); }, Qt::QueuedConnection);
    }
    QString chooseOpenFile(QWidget*, const vap::ui::FileDialogTexts&) override { return {}; }
    QString chooseSaveFile(QWidget*, const vap::ui::FileDialogTexts&) override { return {}; }
    void runModal(QDialog* dialog) override {
        if (dialog)
            dialog->show();
        if (auto* chooser = qobject_cast<vap::ui::TF_AcertaLing*>(dialog)) {
            flag(*chooser, choose_)->clicked();
            vaptest::part<QToolButton>(chooser, "btOK")->click();
            return;
        }
        auto* splash = qobject_cast<vap::ui::TF_Splash*>(dialog);
        vap::ui::TF_Menu* menu = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            menu = menu ? menu : qobject_cast<vap::ui::TF_Menu*>(top);
        if ((dialog && !splash) || !menu || std::exchange(reported_, true))
            return;
        if (splash)
            say("splash", vaptest::part<QLabel>(splash, "labTitulo")->text());
        say("caption", menu->windowTitle());
        say("opc1", vaptest::part<QAction>(menu, "opc1")->text());
        say("controls", QString::number(menu->canvas().shownCount()));
        if (dialog)
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
    bool reported_ = false;
};

int runAsProgram(char** argv) {
    ProgramDialogs dialogs(qstrcmp(argv[2], "yes") == 0, QByteArray(argv[3]).toInt());
    vap::ui::installDialogs(&dialogs);
    // A fourth argument is the design given to the program.
    char* programArgs[] = {argv[0], argv[4], nullptr};
    int argc = argv[4] ? 2 : 1;
    int code = vap::app::runVaporina(argc, programArgs);
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
    QString configSettings() const { return home_.filePath(QStringLiteral("vaplang.INI")); }
    const QString& folder() const { return folderPath_; }

    /** Runs it to its end: each printed line as a key and a value, and the exit code. */
    QMultiMap<QString, QString> run(bool exitYes, int chooseLingua = 0,
                                    const QString& design = {}) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.path());
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{QStringLiteral("--as-program"), QLatin1String(exitYes ? "yes" : "no"),
                              QString::number(chooseLingua)};
        if (!design.isEmpty())
            arguments << design;
        process.start(program_, arguments);
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

/** A settings file as found; "<none>" when there is none. */
QByteArray readAll(const QString& path) {
    return vaptest::readFile(path, "<none>");
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

class LanguageWindows : public vaptest::DesignerTest {
    Q_OBJECT

private:
    vap::ui::TF_Menu& menu() { return designer->menu; }
    /** Shows the modal window that the command opens and hands it to the check. */
    template <class Window, class Check> void onModal(const char* entry, Check check) {
        bool seen = false;
        dialogs->answerModal([&](QDialog& dialog) {
            dialog.show();
            seen = true;
            check(dynamic_cast<Window&>(dialog));
        });
        designer->trigger(entry);
        QVERIFY(seen);
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    // ---- the settings file

    void settingsFileEdits_data() {
        // The file as found, the language read from it, the file after 3 is written.
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("no file") << QByteArray("<none>") << "1"
                                 << QByteArray("[Padrao]\nIdioma=3\n");
        QTest::newRow("names in any case")
            << QByteArray("[padrao]\nidioma=2\n") << "2" << QByteArray("[padrao]\nidioma=3\n");
        QTest::newRow("comments, other keys and sections, CR LF: only the value changes")
            << QByteArray("; mine\r\n[Outra]\r\nIdioma=9\r\n\r\n[ PADRAO ]\r\nCor=azul\r\n"
                          "  Idioma = 2 \r\n; end\r\n")
            << "2"
            << QByteArray("; mine\r\n[Outra]\r\nIdioma=9\r\n\r\n[ PADRAO ]\r\nCor=azul\r\n"
                          "  Idioma =3\r\n; end\r\n");
        QTest::newRow("quoted value")
            << QByteArray("[Padrao]\nIdioma=\"2\"\n") << "2" << QByteArray("[Padrao]\nIdioma=3\n");
        QTest::newRow("key missing, last line unended: added at the section's end")
            << QByteArray("[Padrao]\r\n;Idioma=2\r\nCor=azul\r\n\r\n[Outra]\r\nA=b") << "1"
            << QByteArray("[Padrao]\r\n;Idioma=2\r\nCor=azul\r\nIdioma=3\r\n\r\n[Outra]\r\nA=b");
        QTest::newRow("a 10-million-character value: read to one past the most, written whole")
            << "[Padrao]\nIdioma=" + QByteArray(10000000, '1') + "\n"
            << QString(2048, '1') << QByteArray("[Padrao]\nIdioma=3\n");
        QTest::newRow("section missing, unended last line")
            << QByteArray("; only this") << "1" << QByteArray("; only this\n[Padrao]\nIdioma=3\n");
    }
    void settingsFileEdits() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, read);
        QFETCH(QByteArray, written);
        QTemporaryDir folder;
        QString path = folder.filePath(QStringLiteral("sub/vaporina.INI"));
        if (stored != "<none>")
            QVERIFY(QDir(folder.path()).mkdir("sub") && writeFile(path, stored));
        vap::ui::SettingsFile settings(path);
        QCOMPARE(settings.readIdiomaText(), read);
        settings.writeIdioma(vap::Language::Spanish);
        QCOMPARE(readAll(path), written);
    }

    void settingsLocation() {
        QTemporaryDir folder, config;
        QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        using vap::ui::SettingsFile;
        auto paths = [](const SettingsFile& settings) {
            return QStringList{settings.readPath(), settings.path()};
        };
        const QString inConfig = config.filePath("vaporina.INI");
        const QString beside = folder.filePath("vaporina.INI");
        QCOMPARE(paths(SettingsFile::forProgram(folder.filePath("vaporina"))),
                 QStringList({beside, beside}));
        QCOMPARE(SettingsFile::forProgram(folder.filePath("vap.orina.exe")).path(),
                 folder.filePath("vap.orina.INI"));
        // A folder the program cannot write to, or an installed program, even the superuser's.
        QCOMPARE(paths(SettingsFile::forProgram(folder.filePath("missing/vaporina"))),
                 QStringList({inConfig, inConfig}));
        for (const char* installed : {"/usr/bin/vaporina", "/usr/local/bin/vaporina"})
            QCOMPARE(paths(SettingsFile::forProgram(QLatin1String(installed))),
                     QStringList({inConfig, inConfig}));
        // A file beside the program that cannot be written (a folder, which not even the
        // superuser writes as a file): read there until the configuration folder has its own.
        QVERIFY(QDir(folder.path()).mkdir("vaporina.INI"));
        SettingsFile unwritable = SettingsFile::forProgram(folder.filePath("vaporina"));
        QCOMPARE(paths(unwritable), QStringList({beside, inConfig}));
        QCOMPARE(unwritable.readIdioma().code(), 1);
        unwritable.writeIdioma(vap::Language::English);
        SettingsFile later = SettingsFile::forProgram(folder.filePath("vaporina"));
        QCOMPARE(paths(later), QStringList({inConfig, inConfig}));
        QCOMPARE(later.readIdioma().code(), 2);
        qputenv("XDG_CONFIG_HOME", savedConfig);
    }

    void programStartsAndExits_data() {
        // Empty: no file; "<folder>": a folder where the file would be, which not even the
        // superuser can write; "<read-only>": Idioma=3 in a folder without write access;
        // "<folders>": folders in place of both files. The three keep the language in the
        // configuration folder (CONFIG), leaving the file beside the program as it was.
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("exitYes");
        QTest::addColumn<int>("choose");
        QTest::addColumn<QString>("error"); // PATH, CONFIG: the settings files
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("opc1");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QByteArray>("written"); // empty: the file is left as it was
        QTest::newRow("first run")
            << QByteArray() << true << 0 << "" << pt << "&Linguagem"
            << "Vaporina|Você deseja realmente sair ?" << QByteArray("[Padrao]\nIdioma=1");
        const QString unreadable = QStringLiteral("'abc' is not a valid integer value.");
        QTest::newRow("not a number, then English chosen")
            << QByteArray("[Padrao]\nIdioma=abc\n") << true << 2 << unreadable
            << "Fenestro - Gerador de Janelas em Java"
            << "&Linguagem"
            << "Vaporina|You really want to leave ?" << QByteArray("[Padrao]\nIdioma=2");
        QTest::newRow("outside 1 to 3")
            << QByteArray("[Padrao]\nIdioma=7\n") << true << 0 << "" << none << "&Linguagem"
            << "|" << QByteArray("[Padrao]\nIdioma=7");
        QTest::newRow("No at the exit question")
            << QByteArray("; kept\r\n[Padrao]\r\nIdioma=2\r\n") << false << 0 << "" << en
            << "&Language"
            << "Vaporina|You really want to leave ?" << QByteArray();
        QTest::newRow("<folder>") << QByteArray("<folder>") << true << 0 << "" << pt << "&Linguagem"
                                  << "Vaporina|Você deseja realmente sair ?"
                                  << QByteArray("[Padrao]\nIdioma=1");
        QTest::newRow("<read-only>")
            << QByteArray("<read-only>") << true << 0 << "" << es << "&Idioma"
            << "Vaporina|Usted realmente quiere salir ?" << QByteArray("[Padrao]\nIdioma=3");
        // Reported, and the program still ends.
        QTest::newRow("<folders>") << QByteArray("<folders>") << true << 0
                                   << "Unable to write to CONFIG." << pt << "&Linguagem"
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
        if (stored == "<folder>" || stored == "<folders>") {
            QVERIFY(QDir().mkdir(copy.settings()));
            if (stored == "<folders>")
                QVERIFY(QDir().mkdir(copy.configSettings()));
        } else if (stored == "<read-only>") {
            if (geteuid() == 0)
                QSKIP("the superuser writes to read-only folders");
            QVERIFY(writeFile(copy.settings(), stored = "[Padrao]\nIdioma=3\n"));
            QFile::setPermissions(copy.folder(), writable & ~QFile::WriteOwner);
        } else if (!stored.isEmpty()) {
            QVERIFY(writeFile(copy.settings(), stored));
        }
        auto shown = copy.run(exitYes, choose);
        QFile::setPermissions(copy.folder(), writable);
        error.replace(QStringLiteral("PATH"), copy.settings());
        error.replace(QStringLiteral("CONFIG"), copy.configSettings());
        QVERIFY(!shown.contains("ended"));
        QCOMPARE(shown.values("error"), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(shown.values("splash"), // once, unless the setting could not be read
                 error.contains("integer") ? QStringList() : QStringList{caption});
        QCOMPARE(shown.value("caption"), caption);
        QCOMPARE(shown.value("opc1"), opc1);
        QCOMPARE(shown.values("ask"), QStringList{question});
        QCOMPARE(shown.contains("still-open"), !exitYes);
        QCOMPARE(shown.value("exit"), QStringLiteral("0"));
        bool unwritable = stored.startsWith('<');
        if (unwritable)
            QCOMPARE(readAll(copy.settings()), stored == "<read-only>" ? stored : "<none>");
        QString writtenPath = unwritable ? copy.configSettings() : copy.settings();
        if (written.isEmpty())
            QCOMPARE(readAll(writtenPath), unwritable ? "<none>" : stored);
        else
            QCOMPARE(settingsLines(writtenPath), QString::fromLatin1(written).split('\n'));
    }

    void designGivenAtStart_data() {
        QTest::addColumn<QString>("design");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("controls");
        QTest::newRow("a design") << VAP_TEST_DATA "/golden/cadastro-file/design.vap"
                                  << ""
                                  << "3";
        QTest::newRow("bad") << VAP_TEST_DATA "/bad/bad_number_in_window_record.vap"
                             << "'2 30' is not a valid integer value."
                             << "0";
    }
    void designGivenAtStart() {
        QFETCH(QString, design);
        QFETCH(QString, error);
        QFETCH(QString, controls);
        ProgramCopy copy;
        auto shown = copy.run(true, 0, design);
        QCOMPARE(shown.values("error"), error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(shown.value("controls"), controls);
        QCOMPARE(shown.values("splash"), QStringList{pt});
        QCOMPARE(shown.value("exit"), QStringLiteral("0"));
    }

    // ---- Qt's own texts

    /** The exit question as the real message box shows it: its text and its buttons. */
    QStringList realExitQuestion() {
        QStringList shown;
        vap::ui::installDialogs(nullptr);
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            shown << box->text();
            for (QMessageBox::StandardButton button : {QMessageBox::Yes, QMessageBox::No})
                shown << box->button(button)->text();
            box->button(QMessageBox::No)->click();
        });
        bool closing = menu().FormClose();
        vap::ui::installDialogs(dialogs.get());
        return closing ? QStringList{"closed"} : shown;
    }

    void qtTextsFollowTheLanguage() {
        const QString catalogues = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        for (const char* catalogue : {"qtbase_pt_BR.qm", "qtbase_es.qm"})
            if (!QFile::exists(catalogues + QLatin1Char('/') + QLatin1String(catalogue)))
                QSKIP("Qt's catalogues are not installed (package qt6-translations-l10n)");
        // Portuguese from the start, Spanish and English through the chooser, Portuguese again.
        QCOMPARE(realExitQuestion(), QStringList({"Você deseja realmente sair ?", "&Sim", "&Não"}));
        auto choose = [this](int lingua) {
            onModal<vap::ui::TF_AcertaLing>("opc1", [lingua](vap::ui::TF_AcertaLing& chooser) {
                flag(chooser, lingua)->clicked();
                vaptest::part<QToolButton>(chooser, "btOK")->click();
            });
        };
        choose(3);
        QCOMPARE(realExitQuestion(), QStringList({"Usted realmente quiere salir ?", "&Sí", "&No"}));
        choose(2);
        QCOMPARE(realExitQuestion(), QStringList({"You really want to leave ?", "&Yes", "&No"}));
        choose(1);
        QCOMPARE(realExitQuestion(), QStringList({"Você deseja realmente sair ?", "&Sim", "&Não"}));
        vap::ui::setLingua(
            vap::LanguageCode()); // Qt's texts back to English for the tests that follow
    }

    // ---- the chooser

    void chooserOpensInCurrentLanguage_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<QString>("texts"); // caption, LabEscolha, labPor, LabIng, labEsp
        QTest::newRow("en") << 2 << "Welcome...|Choose the language:|Portuguese|English|Spanish";
        QTest::newRow("outside: as designed")
            << 7 << "Bem Vindo...|Escolha a linguagem:|Português|Inglês|Espanhol";
    }
    void chooserOpensInCurrentLanguage() {
        QFETCH(int, lingua);
        QFETCH(QString, texts);
        start(lingua);
        onModal<vap::ui::TF_AcertaLing>("opc1", [&](vap::ui::TF_AcertaLing& chooser) {
            QCOMPARE(QStringList({chooser.windowTitle(),
                                  vaptest::part<QLabel>(chooser, "LabEscolha")->text(),
                                  vaptest::part<QLabel>(chooser, "labPor")->text(),
                                  vaptest::part<QLabel>(chooser, "LabIng")->text(),
                                  vaptest::part<QLabel>(chooser, "labEsp")->text()}),
                     texts.split('|'));
            QCOMPARE(vap::ui::Lingua().code(), lingua); // showing it changes nothing
            chooser.close();
        });
    }

    void flagThenOkSwitchesTheMainWindow() {
        start(2);
        designer->design.setCaption("Clientes");
        onModal<vap::ui::TF_AcertaLing>("opc1", [&](vap::ui::TF_AcertaLing& chooser) {
            QTest::mouseClick(vaptest::part<QLabel>(chooser, "labEsp"),
                              Qt::LeftButton); // the labels do not react
            QCOMPARE(vap::ui::Lingua().code(), 2);
            QTest::mouseClick(flag(chooser, 3), Qt::LeftButton);
            QCOMPARE(vap::ui::Lingua().code(), 3);
            QCOMPARE(chooser.windowTitle(), QStringLiteral("Bienvenida..."));
            QCOMPARE(vaptest::part<QLabel>(chooser, "LabEscolha")->text(),
                     QStringLiteral("Escoja el idioma:"));
            QCOMPARE(designer->entry("opc1")->text(),
                     QStringLiteral("&Language")); // not yet
            QTest::mouseClick(vaptest::part<QToolButton>(chooser, "btOK"), Qt::LeftButton);
            QVERIFY(!chooser.isVisible());
        });
        QCOMPARE(designer->entry("opc1")->text(), QStringLiteral("&Idioma"));
        QCOMPARE(menu().windowTitle(), es);
        QCOMPARE(designer->entry("Versao")->text(),
                 monthAndYear() + QStringLiteral(" - versión 1.02"));
    }

    void closeBoxAfterFlagKeepsTheMenus() {
        designer->design.setCaption("Clientes");
        designer->create("JB");
        designer->onControl(QStringLiteral("JButton1"), "obj1");
        QVERIFY(designer->inspector.isVisible());
        onModal<vap::ui::TF_AcertaLing>("opc1", [&](vap::ui::TF_AcertaLing& chooser) {
            // The language command closed the inspector first.
            QVERIFY(!designer->inspector.isVisible() && !menu().InspectorOpen());
            QTest::mouseClick(flag(chooser, 2), Qt::LeftButton);
            chooser.close();
        });
        QCOMPARE(vap::ui::Lingua().code(), 2);
        QCOMPARE(designer->entry("opc1")->text(), QStringLiteral("&Linguagem"));
        QCOMPARE(menu().windowTitle(), pt); // composed again, from the old texts
        QCOMPARE(designer->entry("Versao")->text(),
                 monthAndYear() + QStringLiteral(" - versão 1.02"));
    }

    // ---- splash and about windows

    void splashAndAbout_data() {
        QTest::addColumn<int>("lingua");
        QTest::addColumn<QString>("title");
        // The about caption's start (before " - month - year - version"), sites label, hint.
        QTest::addColumn<QString>("about");
        QTest::newRow("en") << 2 << en << "Author Vaporina|My Sites:|Have my peace";
        QTest::newRow("outside") << 7 << none << "Autor do Sistema |Home-Page|";
    }
    void splashAndAbout() {
        QFETCH(int, lingua);
        QFETCH(QString, title);
        QFETCH(QString, about);
        start(lingua);
        onModal<vap::ui::TF_Splash>("Versao", [&](vap::ui::TF_Splash& splash) {
            QCOMPARE(vaptest::part<QLabel>(splash, "labTitulo")->text(), title);
            splash.close();
        });
        QString version = title.section(QStringLiteral(" - "), 1);
        onModal<vap::ui::TF_Sobre>("Criador", [&](vap::ui::TF_Sobre& window) {
            QCOMPARE(
                QStringList({window.windowTitle(), vaptest::part<QLabel>(window, "lbSite")->text(),
                             vaptest::part<QPushButton>(window, "btSair")->toolTip()}),
                QStringList({about.section('|', 0, 0) + QStringLiteral(" - ") + monthAndYear() +
                                 QStringLiteral(" - ") + version,
                             about.section('|', 1, 1), about.section('|', 2, 2)}));
            QTest::mouseClick(vaptest::part<QPushButton>(window, "btSair"), Qt::LeftButton);
            QVERIFY(!window.isVisible());
        });
    }

    // ---- the entries the menus gained after their designed ones, and the Undo and Redo entries

    void gainedEntries_data() {
        QTest::addColumn<int>("lingua"); // 0: an unreadable setting, no language ever applied
        QTest::addColumn<QString>("texts");
        const char* pt = "Cola&r|Selecionar &tudo|Cola&r|À &esquerda|Distribuir na &vertical|"
                         "&Desfazer criar objeto|Refa&zer|Des&fazer criar objeto|Refa&zer";
        QTest::newRow("pt") << 1 << pt;
        QTest::newRow("en") << 2
                            << "&Paste|Selec&t All|&Paste|&Left|Distribute &vertically|"
                               "&Undo create object|&Redo|&Undo create object|&Redo";
        QTest::newRow("es") << 3
                            << "&Pegar|Seleccionar &todo|&Pegar|A la &izquierda|Distribuir "
                               "&verticalmente|&Deshacer crear objeto|&Rehacer|De&shacer "
                               "crear objeto|&Rehacer";
        QTest::newRow("0") << 0 << pt;
    }
    void gainedEntries() {
        QFETCH(int, lingua);
        QFETCH(QString, texts);
        QGuiApplication::clipboard()->clear();
        std::optional<vap::ui::DesignDocument> bare;
        std::optional<vap::ui::TF_Menu> unshown;
        if (lingua == 0) {
            designer.reset();
            appLanguage() = vap::LanguageState{};
            unshown.emplace(bare.emplace()).document().createControl(vap::ControlKind::Label);
        } else {
            start(lingua);
            designer->create("JLb");
        }
        QWidget& window = unshown ? static_cast<QWidget&>(*unshown) : designer->menu;
        const QStringList names = QStringLiteral("opcPaste opcSelectAll objPaste arrLeft arrDown "
                                                 "opcUndo opcRedo objUndo objRedo")
                                      .split(' ');
        const QStringList keys = QStringLiteral("Ctrl+V Ctrl+A Ctrl+V Ctrl+Shift+Left Ctrl+Alt+V "
                                                "Ctrl+Z Ctrl+Y Ctrl+Z Ctrl+Y")
                                     .split(' ');
        // Greyed: Paste with no controls to paste, arranging one control, nothing to redo.
        const QStringList enabled{"opcSelectAll", "opcUndo", "objUndo"};
        for (qsizetype i = 0; i < names.size(); ++i) {
            auto* entry = vaptest::part<QAction>(window, names[i].toLatin1());
            QCOMPARE(entry->text(), texts.section('|', int(i), int(i)) + '\t' +
                                        QKeySequence(keys[i]).toString(QKeySequence::NativeText));
            QCOMPARE(entry->isEnabled(), enabled.contains(names[i]));
        }
    }

    // ---- the main window's first showing

    void firstShowOrder() {
        designer.reset();
        appLanguage() = vap::LanguageState{};
        vap::ui::DesignDocument document;
        vap::Design& design = document.design();
        vap::createOfKind(design, vap::ControlKind::Label, true);
        vap::ui::TF_Menu window(document);
        const QString designed = window.windowTitle();
        bool painted = false;
        connect(&window, &vap::ui::TF_Menu::firstPainted, this, [&] { painted = true; });
        QStringList steps;
        window.setLanguageReader([&] {
            steps << QStringLiteral("read: controls %1, inspector open %2, code %3, caption %4")
                         .arg(design.controls().size())
                         .arg(int(window.InspectorOpen()))
                         .arg(vap::ui::Lingua().code())
                         .arg(window.windowTitle() == designed ? "designed" : "set");
            return vap::LanguageCode(vap::Language::Spanish);
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
