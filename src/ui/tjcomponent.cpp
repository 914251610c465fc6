#include "tjcomponent.h"

#include "applanguage.h"
#include "dragoutline.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace vap::ui {

TJComponent::TJComponent(const Control& control, DragOutline& outline, QWidget* parent)
    : QWidget(parent), control_(control), outline_(outline), look_(lookOf(control.kind())) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    mirrorAll();
}

void TJComponent::mirror(ControlField field) {
    switch (field) {
    case ControlField::Name:
        setObjectName(qs(control_.name()));
        break;
    case ControlField::Caption:
        update();
        break;
    case ControlField::Hint:
    case ControlField::ShowHint:
        setToolTip(control_.showHint() ? qs(control_.hint()) : QString());
        break;
    case ControlField::Left:
    case ControlField::Top:
    case ControlField::Width:
    case ControlField::Height:
        setGeometry(shownBounds(control_));
        break;
    case ControlField::Tag:
        break;
    }
}

void TJComponent::mirrorAll() {
    for (ControlField field :
         {ControlField::Name, ControlField::Hint, ControlField::Left, ControlField::Caption})
        mirror(field);
}

void TJComponent::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPanel(painter, rect(), look_, qs(control_.caption()));
}

void TJComboBox::paintEvent(QPaintEvent* event) {
    TJComponent::paintEvent(event);
    QPainter painter(this);
    paintComboArrow(painter, width(), height()); // the shown size: no overflow at the extremes
}

QRect TJComponent::outlineAt(QPoint pointer) const {
    return shownBounds(control_).translated(pointer - pressPoint_);
}

QRect shownBounds(const Control& control) {
    // A design may hold any 32-bit value; the edges of a rectangle that large overflow.
    auto within = [](std::int32_t value, int low) {
        return std::clamp<std::int32_t>(value, low, QWIDGETSIZE_MAX);
    };
    return QRect(within(control.left(), -QWIDGETSIZE_MAX), within(control.top(), -QWIDGETSIZE_MAX),
                 within(control.width(), 0), within(control.height(), 0));
}

void TJComponent::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (MoveWho() == TWhoToMove::mwNone || event->button() != Qt::LeftButton)
        return;
    // Qt grabs the mouse for the pressed widget, so moves and the release come here even when
    // the pointer leaves the control.
    pressPoint_ = event->position().toPoint();
    lastPoint_ = pressPoint_;
    outline_.draw(outlineAt(pressPoint_));
    dragging_ = true;
}

void TJComponent::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (MoveWho() == TWhoToMove::mwNone || !dragging_)
        return;
    lastPoint_ = event->position().toPoint();
    outline_.draw(outlineAt(lastPoint_));
}

void TJComponent::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (MoveWho() == TWhoToMove::mwNone || event->button() != Qt::LeftButton || !dragging_)
        return;
    outline_.erase();
    dragging_ = false;
    QPoint offset = event->position().toPoint() - pressPoint_;
    if (!offset.isNull())
        emit dragged(offset);
}

void TJComponent::mouseDoubleClickEvent(QMouseEvent* event) {
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TJComponent::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    emit menuRequested(event->globalPos());
}

TJComponent* makeControlWidget(const Control& control, DragOutline& outline, QWidget* parent) {
    switch (control.kind()) {
    case ControlKind::Label:
        return new TJLabel(control, outline, parent);
    case ControlKind::TextField:
    case ControlKind::PasswordField:
        return new TJTextField(control, outline, parent);
    case ControlKind::Button:
        return new TJButton(control, outline, parent);
    case ControlKind::List:
        return new TJList(control, outline, parent);
    case ControlKind::ComboBox:
        break;
    }
    return new TJComboBox(control, outline, parent);
}

} // namespace vap::ui
