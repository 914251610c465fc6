#include "startup.h"

#include "justone.h"
#include "vaporinaapp.h"

#include "core/model/design.h"
#include "core/model/error.h"
#include "ui/applanguage.h"
#include "ui/designdocument.h"
#include "ui/errorbox.h"
#include "ui/factamanho.h"
#include "ui/fcriaobjeto.h"
#include "ui/fmenu.h"
#include "ui/pictures.h"
#include "ui/settingsfile.h"

#include <QElapsedTimer>
#include <QEvent>
#include <cstdio>
#include <memory>

namespace vap::app {

namespace {

/** Prints when the main window first paints, for the start-up benchmark; then the program ends. */
class FirstPaintProbe : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !reported_) {
            reported_ = true;
            std::printf("first-paint\n");
            std::fflush(stdout);
            // Ends the program at once, without the exit question of a close.
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool reported_ = false;
};

} // namespace

int runVaporina(int argc, char** argv) {
    VaporinaApplication application(argc, argv);
    application.setWindowIcon(ui::programIcon());

    ui::DesignDocument document;
    ui::TF_Menu F_Menu(document);
    TXJustOne XJustOne1(&F_Menu, TXJustOne::guardNameFor(QString::fromLocal8Bit(argv[0])));
    XJustOne1.Loaded();
    if (XJustOne1.foundAnotherCopy() && XJustOne1.Terminate)
        return 0; // ends before any window shows; the running copy is not told

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

    ui::SettingsFile settings =
        ui::SettingsFile::forProgram(QCoreApplication::applicationFilePath());
    F_Menu.setLanguageReader([&settings] {
        try {
            return settings.readIdioma();
        } catch (const Error& error) {
            // Reported once; the program starts in Portuguese and never stores the bad text.
            ui::reportError(QString::fromStdString(error.what()));
            return LanguageCode(Language::Portuguese);
        }
    });
    F_Menu.setExitWriter([&settings] {
        try {
            settings.writeIdioma(ui::Lingua());
        } catch (const Error& error) {
            ui::showErrorBox(QString::fromStdString(error.what())); // the user can still leave
        }
    });

    // `vaporina FILE.vap`: the design is opened once the window is up, after its first showing
    // has cleared the design, with the Open command's checks and error box.
    if (argc > 1) {
        QObject::connect(
            &F_Menu, &ui::TF_Menu::firstPainted, &F_Menu,
            [&F_Menu, path = QString::fromLocal8Bit(argv[1])] {
                ui::runCommand([&] { F_Menu.openDesignFile(path); });
            },
            static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    }

    FirstPaintProbe probe;
    if (qEnvironmentVariableIsSet("VAPORINA_REPORT_FIRST_PAINT"))
        F_Menu.installEventFilter(&probe);

    F_Menu.centreOnScreen();
    F_Menu.show();
    return application.exec();
}

} // namespace vap::app
