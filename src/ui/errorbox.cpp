#include "errorbox.h"

#include "dialogs.h"

#include <QCoreApplication>

#include <exception>
#include <new>

namespace vap::ui {

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showErrorBox(const QString& message) {
    dialogs().showError(applicationTitle, errorBoxText(message));
}

void reportError(const QString& message) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [message] { showErrorBox(message); }, Qt::QueuedConnection);
}

void runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::bad_alloc&) {
        reportError(QStringLiteral("Not enough memory"));
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    }
}

} // namespace vap::ui
