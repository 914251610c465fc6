#include "errorbox.h"

#include "dialogs.h"

#include <QCoreApplication>

#include <cstdio>
#include <exception>
#include <new>

namespace vap::ui {

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void showErrorBox(const QString& message) {
    // Also on standard error, where a terminal or a log that started the designer keeps it.
    std::fprintf(stderr, "vaporina: %s\n", qPrintable(errorBoxText(message)));
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
