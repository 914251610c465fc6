#pragma once

#include "controllook.h"

#include "core/model/control.h"
#include "core/model/designobserver.h"

#include <QPoint>
#include <QWidget>

namespace vap::ui {

class DragOutline;

/**
 * A control of the design on the main window: a view of one model control, drawn with its kind's
 * look and moved by dragging. It never changes the model itself; it reports a finished drag, a
 * right click and a double click to the window, which owns the design.
 */
class TJComponent : public QWidget {
    Q_OBJECT

public:
    TJComponent(const Control& control, DragOutline& outline, QWidget* parent);
    ~TJComponent() override;

    const Control& control() const { return control_; }
    TWhoToMove MoveWho() const { return control_.moveWho(); }
    const ControlLook& look() const { return look_; }

    /** Shows what the model now holds for one field. */
    void mirror(ControlField field);
    /** Shows everything the model holds. */
    void mirrorAll();

    bool isDragging() const;

signals:
    /** A left drag ended away from where it began: the control should move by the offset. */
    void dragged(QPoint offset);
    void menuRequested(QPoint globalPosition);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QRect outlineAt(QPoint pointer) const;

    const Control& control_;
    DragOutline& outline_;
    ControlLook look_;
    QPoint pressPoint_;
    QPoint lastPoint_;
};

/** The kinds' own classes, so that each control widget carries its kind's class name. */
class TJLabel : public TJComponent {
    Q_OBJECT
public:
    using TJComponent::TJComponent;
};

class TJTextField : public TJComponent {
    Q_OBJECT
public:
    using TJComponent::TJComponent;
    bool eTextField() const { return control().eTextField(); }
};

class TJButton : public TJComponent {
    Q_OBJECT
public:
    using TJComponent::TJComponent;
};

class TJList : public TJComponent {
    Q_OBJECT
public:
    using TJComponent::TJComponent;
};

class TJComboBox : public TJComponent {
    Q_OBJECT
public:
    using TJComponent::TJComponent;

protected:
    void paintEvent(QPaintEvent* event) override;
};

/** Makes the widget of the control's kind. */
TJComponent* makeControlWidget(const Control& control, DragOutline& outline, QWidget* parent);

} // namespace vap::ui
