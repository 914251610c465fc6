#include "startup.h"

#include "justone.h"
#include "vaporinaapp.h"

#include "core/model/design.h"
#include "ui/errorbox.h"
#include "ui/fcriaobjeto.h"
#include "ui/fmenu.h"
#include "ui/pictures.h"

#include <QElapsedTimer>
#include <QEvent>
#include <cstdio>

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
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [] { QCoreApplication::quit(); },
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

    Design design;
    ui::TF_Menu F_Menu(design);
    TXJustOne XJustOne1(&F_Menu, TXJustOne::guardNameFor(QString::fromLocal8Bit(argv[0])));
    XJustOne1.Loaded();
    if (XJustOne1.foundAnotherCopy() && XJustOne1.Terminate)
        return 0; // ends before any window shows; the running copy is not told

    ui::TF_CriaObjeto F_CriaObjeto(design);
    F_Menu.attachPalette(&F_CriaObjeto);

    FirstPaintProbe probe;
    if (qEnvironmentVariableIsSet("VAPORINA_REPORT_FIRST_PAINT"))
        F_Menu.installEventFilter(&probe);

    F_Menu.centreOnScreen();
    F_Menu.show();
    return application.exec();
}

} // namespace vap::app
