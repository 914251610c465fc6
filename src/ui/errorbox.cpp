#include "errorbox.h"

#include "dialogs.h"

#include <exception>

namespace vap::ui {

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showErrorBox(const QString& message) {
    dialogs().showError(applicationTitle, errorBoxText(message));
}

void runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        showErrorBox(QString::fromUtf8(error.what()));
    }
}

} // namespace vap::ui
