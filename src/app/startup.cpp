#include "startup.h"

#include "commandline.h"
#include "justone.h"
#include "vaporinaapp.h"

#include "core/model/design.h"
#include "core/model/error.h"
#include "ui/applanguage.h"
#include "ui/errorbox.h"
#include "ui/factamanho.h"
#include "ui/fcriaobjeto.h"
#include "ui/fmenu.h"
#include "ui/pictures.h"
#include "ui/settingsfile.h"

#include <cstdio>
#include <memory>
#include <optional>

namespace vap::app {

int runVaporina(int argc, char** argv, const StartHook& beforeShow) {
    // Before the application object: asking for help or the version needs no display.
    if (std::optional<int> code = answerInfoOption(argc, argv))
        return *code;
    VaporinaApplication application(argc, argv); // takes Qt's own options out of argv
    CommandLine command = readCommandLine(argc, argv);
    if (!command.error.empty()) {
        std::fprintf(stderr, "vaporina: %s\nTry 'vaporina --help'.\n", command.error.c_str());
        return 2;
    }
    application.setWindowIcon(ui::programIcon());

    Design design;
    ui::TF_Menu F_Menu(design);
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
            F_AcTamanho = std::make_unique<ui::TF_AcTamanho>(design);
            F_Menu.attachInspector(F_AcTamanho.get());
            F_CriaObjeto = std::make_unique<ui::TF_CriaObjeto>(design);
            F_Menu.attachPalette(F_CriaObjeto.get());
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));

    ui::SettingsFile settings =
        ui::SettingsFile::forProgram(QCoreApplication::applicationFilePath());
    // A bad value stops the first showing with its message, before any language is applied.
    F_Menu.setLanguageReader([&settings] { return settings.readIdioma(); });
    F_Menu.setExitWriter([&settings] {
        try {
            settings.writeIdioma(ui::Lingua());
        } catch (const Error& error) {
            ui::showErrorBox(QString::fromStdString(error.what())); // the user can still leave
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
