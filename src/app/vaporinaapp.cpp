#include "vaporinaapp.h"

#include "ui/errorbox.h"

#include <exception>

namespace vap::app {

VaporinaApplication::VaporinaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("vaporina"));
}

bool VaporinaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ui::reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        ui::reportError(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace vap::app
