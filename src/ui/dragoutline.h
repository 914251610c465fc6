#pragma once

#include <QRect>

#include <array>

class QWidget;

namespace vap::ui {

/**
 * The dotted outline that follows the pointer while a control is dragged. Its four edges are
 * small windows of their own above the design, so moving them never repaints the window or the
 * controls under them.
 */
class DragOutline {
public:
    explicit DragOutline(QWidget* surface);
    ~DragOutline();
    DragOutline(const DragOutline&) = delete;
    DragOutline& operator=(const DragOutline&) = delete;

    /** Shows the outline at a rectangle in the surface's coordinates, or moves it there. */
    void draw(const QRect& rect);
    void erase();

private:
    QWidget* surface_;
    std::array<QWidget*, 4> edges_{};
};

} // namespace vap::ui
