#pragma once

#include <QApplication>

namespace vap::app {

/**
 * The application object. An error that escapes an event handler is caught here, shown in the
 * error box, and the program goes on with the next event.
 */
class VaporinaApplication : public QApplication {
    Q_OBJECT

public:
    VaporinaApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace vap::app
