// startupprobe: the program's own start-up, which prints "first-paint" when the main window first
// paints and then ends at once, for scripts/startup-bench.sh beside barewindow.

#include "app/startup.h"
#include "ui/fmenu.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    return vap::app::runVaporina(argc, argv, [](vap::ui::TF_Menu& menu) {
        QObject::connect(
            &menu, &vap::ui::TF_Menu::firstPainted, &menu,
            [] {
                std::printf("first-paint\n");
                std::fflush(stdout);
                // Ends without the exit question of a close.
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [] { QCoreApplication::exit(0); },
                    Qt::QueuedConnection);
            },
            Qt::DirectConnection);
    });
}
