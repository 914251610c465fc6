#pragma once

#include <QObject>
#include <QString>

namespace vaptest {

/** A window's part found by its object name, as a user finds it by what it shows. */
template <class Part> Part* part(const QObject& window, const char* name) {
    return window.findChild<Part*>(QString::fromLatin1(name));
}
template <class Part> Part* part(const QObject* window, const char* name) {
    return part<Part>(*window, name);
}

} // namespace vaptest
