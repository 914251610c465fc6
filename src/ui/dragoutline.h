#pragma once

#include <QRect>

#include <array>

class QWidget;

namespace vap::ui {

/**
 * The dotted outline that follows the pointer while a control is dragged. Its four edges are
 * small windows of their own above the design, so moving them never repaints the window or the
 * controls under them. It belongs to one drag at a time: the widget that draws it holds the drag
 * until it ends the drag, or until the window ends it (a menu opens, the control goes).
 */
class DragOutline {
public:
    explicit DragOutline(QWidget* surface);
    ~DragOutline();
    DragOutline(const DragOutline&) = delete;
    DragOutline& operator=(const DragOutline&) = delete;

    /** Shows the outline at a rectangle in the surface's coordinates for the dragging widget. */
    void draw(const QWidget* dragger, const QRect& rect);
    /** Ends the drag in progress, if any: the outline goes and its dragger holds nothing. */
    void erase();
    /** The widget whose drag the outline shows; nullptr without a drag. */
    const QWidget* dragger() const { return dragger_; }
    /** Whether any edge shows on the screen. */
    bool isShown() const;

private:
    QWidget* surface_;
    const QWidget* dragger_ = nullptr;
    std::array<QWidget*, 4> edges_{};
};

} // namespace vap::ui
