#pragma once

#include <QString>

#include <functional>
#include <string>

namespace vap::ui {

/** The application's title: the error box's title and the name of its taskbar button. */
inline const QString applicationTitle = QStringLiteral("Davodiz ezuz Udiz");

/** The message as the error box shows it: a full stop is added after a character past '.'. */
QString errorBoxText(const QString& message);

/** Shows the error box at once: the message, the application title, a stop icon and OK. */
void showErrorBox(const QString& message);

/**
 * Shows the error box once the event being handled has been delivered. The box runs an event
 * loop of its own, which may delete the very widget whose event, filter or signal is still on
 * the stack; every error raised by a handler is reported this way.
 */
void reportError(const QString& message);

/**
 * Runs a user's command or a handler's work. An error that escapes it is reported in the error
 * box after the handler has returned; what the command did before the error stays done, and the
 * program goes on.
 */
void runCommand(const std::function<void()>& command);

} // namespace vap::ui
