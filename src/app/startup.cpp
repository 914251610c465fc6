#include "startup.h"

#include "commandline.h"
#include "justone.h"
#include "vaporinaapp.h"

#include "core/files/designfile.h"
#include "core/lang/recoverytexts.h"
#include "core/model/design.h"
#include "core/model/designobserver.h"
#include "core/model/error.h"
#include "core/model/printable.h"
#include "ui/applanguage.h"
#include "ui/designdocument.h"
#include "ui/dialogs.h"
#include "ui/errorbox.h"
#include "ui/factamanho.h"
#include "ui/fcriaobjeto.h"
#include "ui/fmenu.h"
#include "ui/javapreview.h"
#include "ui/pictures.h"
#include "ui/recoverycopy.h"
#include "ui/recoveryoffer.h"
#include "ui/settingsfile.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

namespace vap::app {

namespace {

/**
 * What makes the design unsaved, for the recovery copy: every change it is told of. Save and
 * Open make it saved again (TF_Menu::designMatchesFile).
 */
class ChangeRelay : public DesignObserver {
public:
    ChangeRelay(Design& design, ui::RecoveryCopy& recovery) : design_(design), recovery_(recovery) {
        design_.addObserver(this);
    }
    ~ChangeRelay() override { design_.removeObserver(this); }
    ChangeRelay(const ChangeRelay&) = delete;
    ChangeRelay& operator=(const ChangeRelay&) = delete;

    void controlAdded(const Control&) override { recovery_.designChanged(); }
    void controlChanged(const Control&, ControlField) override { recovery_.designChanged(); }
    void controlRemoved(const Control&) override { recovery_.designChanged(); }
    void windowChanged(WindowField) override { recovery_.designChanged(); }
    void designCleared() override { recovery_.designChanged(); }
    void bulkChangeFinished() override { recovery_.designChanged(); }

private:
    Design& design_;
    ui::RecoveryCopy& recovery_;
};

/** The error box's text when the recovery copy fails: what to do, why, and where. */
QString recoveryFailure(const QString& why, const QString& path) {
    auto language = ui::Lingua().language().value_or(Language::Portuguese);
    return ui::qs(recoveryCopyFailed.in(language)) + QStringLiteral(": ") + why +
           QStringLiteral(" (") + ui::qs(printablePath(ui::ss(path))) + QLatin1Char(')');
}

} // namespace

int runVaporina(int argc, char** argv, const StartHook& beforeShow) {
    // Before the application object: asking for help or the version needs no display.
    if (std::optional<int> code = answerInfoOption(argc, argv))
        return *code;
    // Before the application object too: a wrong argument is said in one line, display or not.
    CommandLine command = readCommandLine(argc, argv);
    if (!command.error.empty()) {
        std::fprintf(stderr, "vaporina: %s\n", command.error.c_str());
        return 2;
    }
    VaporinaApplication application(argc, argv); // takes Qt's own options out of argv
    application.setWindowIcon(ui::programIcon());

    ui::DesignDocument document;
    Design& design = document.design();
    ui::TF_Menu F_Menu(document);
    const QString guardName = TXJustOne::guardNameFor(QString::fromLocal8Bit(argv[0]));
    TXJustOne XJustOne1(&F_Menu, guardName);
    XJustOne1.Loaded();
    if (XJustOne1.foundAnotherCopy() && XJustOne1.Terminate)
        return 0; // ends before any window shows; the running copy is not told

    // The recovery copy. Its "unsaved" comes from the relay below and from Save and Open. It
    // starts following the design once start-up is over: after the splash, a file named on the
    // command line and the questions about the copies earlier runs left.
    ui::RecoveryCopy recovery(ui::RecoveryCopy::stateFolder(), guardName,
                              [&design] { return savedDesignBytes(design); });
    QObject::connect(&recovery, &ui::RecoveryCopy::failed, &recovery, [&recovery](QString why) {
        ui::reportError(recoveryFailure(why, recovery.path()));
    });
    std::unique_ptr<ChangeRelay> changes;
    QObject::connect(&F_Menu, &ui::TF_Menu::designMatchesFile, &recovery,
                     [&recovery] { recovery.setUnsaved(false); });
    // Undoing or redoing back to what the last save or Open held leaves nothing unsaved.
    QObject::connect(&document, &ui::DesignDocument::unsavedChanged, &recovery,
                     [&recovery](bool unsaved) {
                         if (!unsaved)
                             recovery.setUnsaved(false);
                     });
    // Unsaved changes that Open or Clear replace stay recoverable until the program ends; what
    // a Clear just left holds nothing of the user's.
    QObject::connect(&document, &ui::DesignDocument::aboutToReplace, &recovery, [&] {
        if (!document.lastStepCleared())
            recovery.keepReplaced();
    });
    QObject::connect(
        &F_Menu, &ui::TF_Menu::startupFinished, &F_Menu,
        [&] {
            ui::offerLeftCopies(recovery, &F_Menu, [&](DesignFile file) {
                F_Menu.openDesignFile(std::move(file));
                document.markUnsaved(); // the recovered design is in no file of the user's
            });
            changes = std::make_unique<ChangeRelay>(design, recovery);
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));

    // The inspector and the palette live for the whole run, hidden until asked for. They are
    // built once the main window has been painted, so that it shows without waiting.
    std::unique_ptr<ui::TF_AcTamanho> F_AcTamanho;
    std::unique_ptr<ui::TF_CriaObjeto> F_CriaObjeto;
    QObject::connect(
        &F_Menu, &ui::TF_Menu::firstPainted, &F_Menu,
        [&] {
            F_AcTamanho = std::make_unique<ui::TF_AcTamanho>(document);
            F_Menu.attachInspector(F_AcTamanho.get());
            F_CriaObjeto = std::make_unique<ui::TF_CriaObjeto>(document);
            F_Menu.attachPalette(F_CriaObjeto.get());
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));

    // See it in Java. Its processes end with it; the folders of previews that a designer killed
    // outright left behind go once the window is up.
    ui::JavaPreview preview;
    F_Menu.attachPreview(&preview);
    QObject::connect(
        &F_Menu, &ui::TF_Menu::firstPainted, &preview, &ui::JavaPreview::removeLeftovers,
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));

    ui::SettingsFile settings =
        ui::SettingsFile::forProgram(QCoreApplication::applicationFilePath());
    // A bad value stops the first showing with its message, before any language is applied.
    F_Menu.setLanguageReader([&settings] { return settings.readIdioma(); });
    // A confirmed exit keeps unsaved changes as a copy for the next start. When that copy cannot
    // be written the exit stops once, with the reason; confirmed again, the program ends.
    bool keepingFailed = false;
    F_Menu.setExitWriter([&settings, &recovery, &keepingFailed] {
        try {
            settings.writeIdioma(ui::Lingua());
        } catch (const Error& error) {
            ui::showErrorBox(QString::fromStdString(error.what())); // the user can still leave
        }
        try {
            recovery.endRun();
        } catch (const std::exception& error) {
            if (!std::exchange(keepingFailed, true))
                throw Error(
                    ui::ss(recoveryFailure(QString::fromUtf8(error.what()), recovery.path())));
        }
    });

    // `vaporina FILE.vap`: the design is opened once the window is up, after its first showing
    // has cleared the design, with the Open command's checks and error box.
    if (command.design) {
        QObject::connect(
            &F_Menu, &ui::TF_Menu::firstPainted, &F_Menu,
            [&F_Menu, path = QString::fromLocal8Bit(command.design->c_str())] {
                ui::runCommand([&] { F_Menu.openDesignFile(path); });
            },
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    }

    if (beforeShow)
        beforeShow(F_Menu);
    F_Menu.centreOnScreen();
    F_Menu.show();
    return application.exec();
}

} // namespace vap::app
