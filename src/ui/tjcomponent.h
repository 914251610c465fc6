#pragma once

#include "core/model/control.h"

#include <QRect>

class QPainter;

namespace vap::ui {

/**
 * How a kind of control shows on the canvas. The canvas draws every control of the design from
 * the model, so a control costs no object of its own; one instance per kind does the drawing.
 */
class TJComponent {
public:
    virtual ~TJComponent() = default;

    /** The class of the kind, as the designer names it: TJLabel, TJTextField, ... */
    virtual const char* className() const = 0;
    /** Paints the control over the rectangle where it shows. */
    virtual void paint(QPainter& painter, const Control& control, const QRect& shown) const;

    /** The component that draws controls of the kind. */
    static const TJComponent& ofKind(ControlKind kind);
};

class TJLabel : public TJComponent {
public:
    const char* className() const override { return "TJLabel"; }
};

class TJTextField : public TJComponent {
public:
    const char* className() const override { return "TJTextField"; }
};

class TJButton : public TJComponent {
public:
    const char* className() const override { return "TJButton"; }
};

class TJList : public TJComponent {
public:
    const char* className() const override { return "TJList"; }
};

class TJComboBox : public TJComponent {
public:
    const char* className() const override { return "TJComboBox"; }
    void paint(QPainter& painter, const Control& control, const QRect& shown) const override;
};

} // namespace vap::ui
