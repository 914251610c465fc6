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
    // The mouse on a control is the control's alone: an event it does not take goes neither to the
    // background nor back to the layer that passed it on to the control beneath.
    setAttribute(Qt::WA_NoMousePropagation);
    setFocusPolicy(Qt::NoFocus);
    mirrorAll();
}

TJComponent::~TJComponent() {
    if (isDragging())
        outline_.erase(); // the control went in mid-drag
}

bool TJComponent::isDragging() const {
    return outline_.dragger() == this;
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
        setGeometry(
            shownRect(control_.left(), control_.top(), control_.width(), control_.height()));
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
    paintComboArrow(painter, width(), height());
}

QRect TJComponent::outlineAt(QPoint pointer) const {
    QPoint offset = pointer - pressPoint_;
    return shownRect(std::int64_t{control_.left()} + offset.x(),
                     std::int64_t{control_.top()} + offset.y(), control_.width(),
                     control_.height());
}

void TJComponent::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // Qt grabs the mouse for the pressed widget, so moves and the release come here even when
    // the pointer leaves the control.
    pressPoint_ = event->position().toPoint();
    lastPoint_ = pressPoint_;
    outline_.draw(this, outlineAt(pressPoint_));
}

void TJComponent::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    if (!isDragging())
        return;
    lastPoint_ = event->position().toPoint();
    outline_.draw(this, outlineAt(lastPoint_));
}

void TJComponent::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !isDragging())
        return;
    outline_.erase();
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
