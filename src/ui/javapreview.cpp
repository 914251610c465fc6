#include "javapreview.h"

#include "applanguage.h"
#include "dialogs.h"
#include "errorbox.h"
#include "fgera.h"

#include "core/codegen/javalimits.h"
#include "core/codegen/javasource.h"
#include "core/lang/datetext.h"
#include "core/model/error.h"

#include "core/files/safeplace.h"
#include "core/files/safewrite.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/prctl.h>
#include <sys/stat.h>
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
constexpr Texts3 noSafeFolder{"Não há pasta segura para ver no Java",
                              "No safe folder for the preview",
                              "No hay una carpeta segura para verlo en Java"};
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

/**
 * The heading of the refusals, said once: a refusal that opens with the heading's own words (the
 * method grown too large) is taken out of them and heads them, worded as the heading is.
 */
QString takeRepeatedHeading(const QString& heading, QStringList& refusals) {
    const QString words = heading.endsWith(QLatin1Char(':')) ? heading.chopped(1) : heading;
    for (qsizetype i = 0; i < refusals.size(); ++i) {
        if (refusals[i].startsWith(words, Qt::CaseInsensitive))
            return words + refusals.takeAt(i).mid(words.size());
    }
    return heading;
}

SafeFolder openPreviewBase() {
    try {
        return openRuntimeFolder();
    } catch (const Error& error) {
        throw Error(ss(inLanguage(noSafeFolder)) + ": " + error.what());
    }
}

} // namespace

class JavaPreview::Run : public QObject {
public:
    Run(QObject* parent, SafeFolder base)
        : QObject(parent), base(std::move(base)),
          made(makePrivateFolder(this->base,
                                 ss(folderPrefix()) +
                                     std::to_string(QCoreApplication::applicationPid()) + "-")) {}

    ~Run() override { removeTreeIn(base, made.name); }

    SafeFolder base;
    MadeFolder made;
    QString className;
    std::vector<std::string> lines;
    QProcess* process = nullptr; // javac, then java
    QByteArray output;
};

JavaPreview::JavaPreview(QObject* parent) : QObject(parent) {}

JavaPreview::~JavaPreview() {
    stop();
}

QString JavaPreview::folderPrefix() {
    return QStringLiteral("vaporina-preview-");
}

namespace {

std::vector<std::string> namesIn(const SafeFolder& folder) {
    std::vector<std::string> names;
    Descriptor listing(openat(folder.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* entries = listing.valid() ? fdopendir(listing.get()) : nullptr;
    if (!entries)
        return names;
    listing.release();
    while (const dirent* entry = readdir(entries))
        names.emplace_back(entry->d_name);
    closedir(entries);
    return names;
}

} // namespace

void JavaPreview::removeLeftovers() {
    std::optional<SafeFolder> base;
    try {
        base = openRuntimeFolder();
    } catch (const Error&) {
        return; // no safe place: no preview could have left a folder in one
    }
    const std::string prefix = ss(folderPrefix());
    for (const std::string& name : namesIn(*base)) {
        if (!name.starts_with(prefix))
            continue;
        const std::string number =
            name.substr(prefix.size(), name.find('-', prefix.size()) - prefix.size());
        bool isNumber = false;
        qint64 pid = QString::fromStdString(number).toLongLong(&isNumber);
        struct stat info {};
        if (!isNumber || pid <= 0 || pid == QCoreApplication::applicationPid() ||
            fstatat(base->descriptor(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISDIR(info.st_mode) || info.st_uid != geteuid())
            continue;
        if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            removeTreeIn(*base, name); // opens it without following: a link swapped in stays
    }
}

void JavaPreview::start(const Design& design) {
    const LanguageState& language = appLanguage();
    ExampleClassContext context{language.Lingua, language.NomeProduto, language.TextoVersao,
                                commentTextsFor(language.Lingua), todayText()};
    const std::string name = javaSourceClassName(design, language.Lingua);
    // The source of a design too large for one Java method grows with the design, and javac
    // would refuse it whole: the refusal comes from the design alone, before any line is made.
    if (windowMethodCodeSize(design) > maxMethodCodeBytes)
        checkJavaSource(design, context, name);
    JavaSource source = composeJavaSource(design, context, name);
    stop();
    const QString className = qs(source.className);
    if (!source.refusals.empty()) {
        QStringList refusals;
        for (const std::string& refusal : source.refusals)
            refusals << qs(refusal);
        QString heading = takeRepeatedHeading(inLanguage(refusedHeading), refusals);
        showComplaint(className, source.lines, heading, refusals.join(QLatin1Char('\n')));
        return;
    }
    const QString javac = QStandardPaths::findExecutable(QStringLiteral("javac"));
    if (javac.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("java")).isEmpty()) {
        reportError(inLanguage(noJdk));
        return;
    }
    auto run = std::make_unique<Run>(this, openPreviewBase());
    run->className = className;
    run->lines = std::move(source.lines);
    const QString sourceName = className + QStringLiteral(".java");
    // The folder is new: nothing is replaced.
    writeFileAtomically(run->made.folder, ss(sourceName), joinLines(run->lines, "\n"));
    run_ = run.release();
    startProcess(run_, javac,
                 {QStringLiteral("-J-XX:TieredStopAtLevel=1"), QStringLiteral("-J-XX:+UseSerialGC"),
                  QStringLiteral("-proc:none"), QStringLiteral("-nowarn"),
                  QStringLiteral("-encoding"), QStringLiteral("UTF-8"), QStringLiteral("-d"),
                  QStringLiteral("."), sourceName});
    connect(run_->process, &QProcess::finished, this,
            [this, run = run_](int code, QProcess::ExitStatus status) {
                compiled(run, code, status != QProcess::NormalExit);
            });
}

void JavaPreview::startProcess(Run* run, const QString& program, const QStringList& arguments) {
    run->output.clear();
    run->process = new QProcess(run);
    QProcess* process = run->process;
    process->setProcessChannelMode(QProcess::MergedChannels);
    // Asked of the kernel, so that a designer killed outright still takes its JVM along. The
    // folder is entered by its descriptor: javac and java then name nothing by its path, and a
    // JVM's crash report lands there too.
    const pid_t designer = getpid();
    const int folder = run->made.folder.descriptor();
    process->setChildProcessModifier([designer, folder] {
        if (fchdir(folder) != 0)
            _exit(127);
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
        showComplaint(run->className, run->lines, inLanguage(javacHeading),
                      QString::fromLocal8Bit(run->output));
        finish(run);
        return;
    }
    run->process->deleteLater();
    startProcess(run, QStandardPaths::findExecutable(QStringLiteral("java")),
                 {QStringLiteral("-XX:TieredStopAtLevel=1"), QStringLiteral("-XX:+UseSerialGC"),
                  QStringLiteral("-cp"), QStringLiteral("."), run->className});
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
        showComplaint(run->className, run->lines,
                      inLanguage(javaHeading).arg(crashed ? -1 : exitCode),
                      QString::fromLocal8Bit(run->output));
    finish(run);
}

void JavaPreview::showComplaint(const QString& className, const std::vector<std::string>& lines,
                                const QString& heading, const QString& output) {
    QStringList said = output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (said.size() > messageLinesShown) {
        qsizetype more = said.size() - messageLinesShown;
        said = said.mid(0, messageLinesShown);
        said << QStringLiteral("(+%1)").arg(more);
    }
    GeneratedCode code;
    code.caption = ss(className + QStringLiteral(".java"));
    code.lines = lines;
    code.warnings.push_back(ss(heading));
    for (const QString& line : said)
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
    run->deleteLater(); // and its folder with it
}

void JavaPreview::stop() {
    if (run_)
        finish(run_);
}

} // namespace vap::ui
