#pragma once

#include <QObject>
#include <QString>

namespace vaptest {

/** A window's part found by its object name, as a user finds it by what it shows. */
template <class Widget> Widget* part(const QObject& window, const char* name) {
    return window.findChild<Widget*>(QString::fromLatin1(name));
}
template <class Widget> Widget* part(const QObject* window, const char* name) {
    return part<Widget>(*window, name);
}

} // namespace vaptest
