#include "javapreview.h"

#include "applanguage.h"
#include "dialogs.h"
#include "errorbox.h"
#include "fgera.h"

#include "core/codegen/javasource.h"
#include "core/lang/datetext.h"
#include "core/model/error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

namespace vap::ui {

namespace {

constexpr Texts3 noJdk{
    "Para ver a janela no Java é preciso um JDK (javac e java), que não foi encontrado. Instale o "
    "pacote default-jdk (apt install default-jdk)",
    "Seeing the window in Java needs a JDK (javac and java), which was not found. Install the "
    "package default-jdk (apt install default-jdk)",
    "Para ver la ventana en Java hace falta un JDK (javac y java), que no se encontró. Instale el "
    "paquete default-jdk (apt install default-jdk)"};
constexpr Texts3 refusedHeading{"O javac recusará este código:", "javac will refuse this code:",
                                "javac rechazará este código:"};
constexpr Texts3 javacHeading{
    "O javac recusou o código:", "javac refused the code:", "javac rechazó el código:"};
constexpr Texts3 javaHeading{"O Java terminou com o código %1:", "Java ended with exit code %1:",
                             "Java terminó con el código %1:"};

/** Enough of a compiler's or a program's output to tell what went wrong. */
constexpr qsizetype outputKept = 64 * 1024;
constexpr int messageLinesShown = 10;

QString inLanguage(const Texts3& texts) {
    return qs(texts.pick(Lingua()).value_or(texts.en));
}

} // namespace

class JavaPreview::Run : public QObject {
public:
    explicit Run(QObject* parent) : QObject(parent), folder(folderTemplate()) {}

    static QString folderTemplate() {
        return baseFolder() + QLatin1Char('/') + folderPrefix() +
               QString::number(QCoreApplication::applicationPid()) + QStringLiteral("-XXXXXX");
    }

    QTemporaryDir folder;
    QString className;
    std::vector<std::string> lines;
    QProcess* process = nullptr; // javac, then java
    QByteArray output;
};

JavaPreview::JavaPreview(QObject* parent) : QObject(parent) {}

JavaPreview::~JavaPreview() {
    stop();
}

QString JavaPreview::baseFolder() {
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString JavaPreview::folderPrefix() {
    return QStringLiteral("vaporina-preview-");
}

void JavaPreview::removeLeftovers() {
    QDir base(baseFolder());
    const QFileInfoList folders = base.entryInfoList({folderPrefix() + QLatin1Char('*')},
                                                     QDir::Dirs | QDir::NoSymLinks | QDir::Hidden);
    for (const QFileInfo& folder : folders) {
        bool isNumber = false;
        qint64 pid = folder.fileName()
                         .mid(folderPrefix().size())
                         .section(QLatin1Char('-'), 0, 0)
                         .toLongLong(&isNumber);
        if (!isNumber || pid <= 0 || pid == QCoreApplication::applicationPid() ||
            folder.ownerId() != getuid())
            continue;
        if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            QDir(folder.absoluteFilePath()).removeRecursively();
    }
}

void JavaPreview::start(const Design& design) {
    const LanguageState& language = appLanguage();
    ExampleClassContext context{language.Lingua, language.NomeProduto, language.TextoVersao,
                                commentTextsFor(language.Lingua), todayText()};
    JavaSource source =
        composeJavaSource(design, context, javaSourceClassName(design, language.Lingua));
    stop();
    auto* run = new Run(this);
    run->className = qs(source.className);
    run->lines = std::move(source.lines);
    if (!source.refusals.empty()) {
        QStringList refusals;
        for (const std::string& refusal : source.refusals)
            refusals << qs(refusal);
        showComplaint(*run, inLanguage(refusedHeading), refusals.join(QLatin1Char('\n')));
        delete run;
        return;
    }
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    if (javac.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("java")).isEmpty()) {
        delete run;
        reportError(inLanguage(noJdk));
        return;
    }
    if (!run->folder.isValid()) {
        QString why = run->folder.errorString();
        delete run;
        throw Error("Cannot make a folder for the preview in " + ss(baseFolder()) + ": " + ss(why));
    }
    QFile file(run->folder.filePath(run->className + QStringLiteral(".java")));
    QByteArray bytes = QByteArray::fromStdString(joinLines(run->lines, "\n"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        QString why = file.errorString();
        delete run;
        throw Error("Cannot write the preview's class: " + ss(why));
    }
    file.close();
    run_ = run;
    startProcess(run, javac,
                 {QStringLiteral("-J-XX:TieredStopAtLevel=1"), QStringLiteral("-J-XX:+UseSerialGC"),
                  QStringLiteral("-proc:none"), QStringLiteral("-nowarn"),
                  QStringLiteral("-encoding"), QStringLiteral("UTF-8"), QStringLiteral("-d"),
                  run->folder.path(), file.fileName()});
    connect(run->process, &QProcess::finished, this,
            [this, run](int code, QProcess::ExitStatus status) {
                compiled(run, code, status != QProcess::NormalExit);
            });
}

void JavaPreview::startProcess(Run* run, const QString& program, const QStringList& arguments) {
    run->output.clear();
    run->process = new QProcess(run);
    QProcess* process = run->process;
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->setWorkingDirectory(run->folder.path()); // a JVM's crash report lands there
    // Asked of the kernel, so that a designer killed outright still takes its JVM along.
    const pid_t designer = getpid();
    process->setChildProcessModifier([designer] {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != designer)
            _exit(127);
    });
    connect(process, &QProcess::readyRead, this, [run, process] {
        QByteArray data = process->readAll();
        if (run->output.size() < outputKept)
            run->output += data.left(outputKept - run->output.size());
    });
    connect(process, &QProcess::errorOccurred, this, [this, run](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart || run != run_)
            return;
        finish(run);
        reportError(inLanguage(noJdk));
    });
    process->start(program, arguments);
}

void JavaPreview::compiled(Run* run, int exitCode, bool crashed) {
    if (run != run_)
        return;
    if (crashed || exitCode != 0) {
        showComplaint(*run, inLanguage(javacHeading), QString::fromLocal8Bit(run->output));
        finish(run);
        return;
    }
    run->process->deleteLater();
    startProcess(run, QStandardPaths::findExecutable(QStringLiteral("java")),
                 {QStringLiteral("-XX:TieredStopAtLevel=1"), QStringLiteral("-XX:+UseSerialGC"),
                  QStringLiteral("-cp"), run->folder.path(), run->className});
    connect(run->process, &QProcess::finished, this,
            [this, run](int code, QProcess::ExitStatus status) {
                ended(run, code, status != QProcess::NormalExit);
            });
}

void JavaPreview::ended(Run* run, int exitCode, bool crashed) {
    if (run != run_)
        return;
    // The class ends the program with code 0 when its window is closed.
    if (crashed || exitCode != 0)
        showComplaint(*run, inLanguage(javaHeading).arg(crashed ? -1 : exitCode),
                      QString::fromLocal8Bit(run->output));
    finish(run);
}

void JavaPreview::showComplaint(const Run& run, const QString& heading, const QString& output) {
    // The folder is the preview's own: the messages name the file alone.
    QString text = output;
    text.replace(run.folder.path() + QLatin1Char('/'), QString());
    QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (lines.size() > messageLinesShown) {
        qsizetype more = lines.size() - messageLinesShown;
        lines = lines.mid(0, messageLinesShown);
        lines << QStringLiteral("(+%1)").arg(more);
    }
    GeneratedCode code;
    code.caption = ss(run.className + QStringLiteral(".java"));
    code.lines = run.lines;
    code.warnings.push_back(ss(heading));
    for (const QString& line : lines)
        code.warnings.push_back(ss(line));
    QMetaObject::invokeMethod(
        this,
        [code = std::move(code)] {
            runCommand([&] {
                TF_Gera F_Gera;
                F_Gera.fill(code);
                dialogs().runModal(&F_Gera);
            });
        },
        Qt::QueuedConnection);
}

void JavaPreview::finish(Run* run) {
    if (run == run_)
        run_ = nullptr;
    if (run->process) {
        run->process->disconnect(this);
        if (run->process->state() != QProcess::NotRunning) {
            run->process->kill();
            run->process->waitForFinished(2000);
        }
    }
    run->folder.remove();
    run->deleteLater();
}

void JavaPreview::stop() {
    if (run_)
        finish(run_);
}

} // namespace vap::ui
