#include "tjcomponent.h"

#include "applanguage.h"
#include "controllook.h"

#include <QPainter>

namespace vap::ui {

void TJComponent::paint(QPainter& painter, const Control& control, const QRect& shown) const {
    paintPanel(painter, shown, lookOf(control.kind()), qs(control.caption()));
}

void TJComboBox::paint(QPainter& painter, const Control& control, const QRect& shown) const {
    TJComponent::paint(painter, control, shown);
    painter.save();
    painter.setClipRect(shown, Qt::IntersectClip);
    painter.translate(shown.topLeft());
    paintComboArrow(painter, shown.width(), shown.height());
    painter.restore();
}

const TJComponent& TJComponent::ofKind(ControlKind kind) {
    static const TJLabel label;
    static const TJTextField field;
    static const TJButton button;
    static const TJList list;
    static const TJComboBox combo;
    switch (kind) {
    case ControlKind::Label:
        return label;
    case ControlKind::TextField:
    case ControlKind::PasswordField:
        return field;
    case ControlKind::Button:
        return button;
    case ControlKind::List:
        return list;
    case ControlKind::ComboBox:
        break;
    }
    return combo;
}

} // namespace vap::ui
