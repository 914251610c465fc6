#pragma once

#include <QPoint>
#include <QString>

class QLabel;
class QWidget;

namespace vap::ui {

/** A label of a form: named, at its designed place, as wide as its text. */
QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, QPoint place,
                    bool bold = false);

} // namespace vap::ui
