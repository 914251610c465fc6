#pragma once

#include <QString>

#include <functional>
#include <string>

namespace vap::ui {

/** The application's title: the error box's title and the name of its taskbar button. */
inline const QString applicationTitle = QStringLiteral("Davodiz ezuz Udiz");

/** The message as the error box shows it: a full stop is added after a character past '.'. */
QString errorBoxText(const QString& message);

/** Shows the error box: the message, the application title, a stop icon and OK. */
void showErrorBox(const QString& message);

/**
 * Runs a user's command. An error that escapes it is shown in the error box; what the command
 * did before the error stays done, and the program goes on.
 */
void runCommand(const std::function<void()>& command);

} // namespace vap::ui
