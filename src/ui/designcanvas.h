#pragma once

#include "canvasmarks.h"
#include "controlgrid.h"
#include "controlset.h"

#include "core/model/arrange.h"
#include "core/model/designobserver.h"
#include "core/model/guides.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QRegion>

#include <cstdint>
#include <optional>
#include <vector>

class QRubberBand;

namespace vap {
class Control;
class Design;
} // namespace vap

namespace vap::ui {

class DesignDocument;

/**
 * The main window's client area: it draws the design's controls, keeps the selection and runs
 * the mouse gestures on them (select, move, resize, select by a band). The controls are drawn
 * from the model as the view's background, which the view caches, so that the marks of a
 * gesture move over them without repainting any control. What the canvas does not take (a right
 * click on the background) goes on to the window beneath.
 */
class DesignCanvas : public QGraphicsView, public DesignObserver {
    Q_OBJECT

public:
    DesignCanvas(DesignDocument& document, QWidget* window);
    ~DesignCanvas() override;

    /** The topmost control at a point of the client area, or nullptr. */
    const Control* controlAt(QPoint point) const;
    /** Where a control shows in the client area; empty for one off the canvas. */
    QRect shownRect(const Control& control) const;
    /** The controls on the canvas: as many as the design has, once a change has been shown. */
    std::size_t shownCount() const;
    /** Whether the first control is drawn above the second. */
    bool drawnAbove(const Control& upper, const Control& lower) const;

    /** The selected controls, the first selected first. */
    const std::vector<const Control*>& selection() const;
    bool isSelected(const Control& control) const { return selected_.contains(&control); }
    void select(std::vector<const Control*> controls);
    void selectAll();
    void clearSelection() { select({}); }
    /** The rectangles the handles are drawn around: the selected controls' as last shown. */
    const std::vector<QRect>& handleRects() const { return handles_.rects(); }

    /** Guides snap a gesture while this key is held. */
    static constexpr Qt::KeyboardModifier snapModifier = Qt::ShiftModifier;
    /** How near a guide a gesture must come to snap to it, in pixels. */
    static constexpr std::int32_t snapDistance = 5;

    /** Ends the gesture in progress, if any, changing nothing: a menu or a window took over. */
    void endGesture();
    bool gestureInProgress() const { return gesture_.kind != GestureKind::None; }
    /** Whether anything of a gesture is drawn: outlines, guides, the readout or the band. */
    bool gestureMarksShown() const;
    const OutlineMarks& outlines() const { return outlines_; }
    const ReadoutMark& readout() const { return readout_; }
    const GuideMarks& guides() const { return guides_; }

    // DesignObserver
    void controlAdded(const Control& control) override;
    void controlChanged(const Control& control, ControlField field) override;
    void controlRemoved(const Control& control) override;
    void windowChanged(WindowField) override {}
    void designCleared() override;
    void bulkChangeStarted() override;
    void bulkChangeFinished() override;

signals:
    void firstPainted();
    void selectionChanged();
    void controlMenuRequested(const vap::Control* control, QPoint globalPosition);
    void controlDoubleClicked(const vap::Control* control);

protected:
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    bool viewportEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class GestureKind { None, Move, Resize, Band };
    struct Gesture {
        GestureKind kind = GestureKind::None;
        QPoint press;
        Qt::KeyboardModifiers modifiers;
        const Control* pressed = nullptr;
        std::vector<const Control*> moving;
        int handle = -1;
    };

    void ensureIndexed() const;
    /** The scene and the marks span the client area, unscrolled. */
    void fitToViewport();
    /** Repaints the area of the canvas; during a bulk change, once the change is over. */
    void repaintControls(const QRect& area);
    /** Repaints what is drawn over the controls there; the controls stay as drawn. */
    void repaintMarks(const QRect& area);
    /** The controls to draw over the area, bottom first, without those hidden under others. */
    std::vector<const Control*> visibleControls(const QRect& area) const;
    /** Draws the controls afresh where they changed within the area. */
    void refreshControlsPicture(const QRect& area);
    /** Whether the grid follows a change as it comes; false when it is rebuilt afterwards. */
    bool followsOneByOne();
    void refreshHandles();
    /** The selected controls' shown rectangles, in the order of the selection. */
    std::vector<QRect> selectedRects() const;
    /** Refreshes the handles' extent once the current run of changes is over. */
    void scheduleHandleRefresh(bool selectionChanged);
    int handleAt(QPoint point, const Control*& owner) const;

    void startMove(const Control* pressed, QPoint at, Qt::KeyboardModifiers modifiers);
    void startResize(const Control* control, int handle, QPoint at);
    void startBand(QPoint at, Qt::KeyboardModifiers modifiers);
    void followPointer(QPoint at, Qt::KeyboardModifiers modifiers);
    void finishGesture(QPoint at, Qt::KeyboardModifiers modifiers);
    void finishMove(QPoint at, Qt::KeyboardModifiers modifiers);
    void finishClick(const Gesture& gesture);
    void finishResize(QPoint at, Qt::KeyboardModifiers modifiers);
    void finishBand(QPoint at, Qt::KeyboardModifiers modifiers);
    /** The bounds a resize by the handle to the pointer gives: the opposite edges stay. */
    Bounds resizedBounds(QPoint at, Qt::KeyboardModifiers modifiers);
    /**
     * Where the pressed control of a move goes, of the moved bounds. Guides and snapping follow it
     * alone: the control under the pointer is the one the user lines up.
     */
    Bounds pressedMovedBounds(const std::vector<Bounds>& moved) const;
    /** The offset of a move to the pointer, drawn to a guide nearby while snapping. */
    QPoint moveOffset(QPoint at, Qt::KeyboardModifiers modifiers);
    std::vector<Bounds> movedBounds(QPoint offset) const;
    /**
     * The outlines of a move by the offset: each moved control's, or of many, the one under the
     * pointer's and one around them all.
     */
    std::vector<QRect> moveOutlines(QPoint offset) const;
    void showGuides(std::span<const Bounds> moved, unsigned features);
    const GuideFinder& guideFinder();
    void clearGestureMarks();

    DesignDocument& document_;
    const Design& design_;
    QGraphicsScene scene_;
    mutable ControlGrid grid_;
    mutable bool gridStale_ = true;
    bool inBulkChange_ = false;
    std::size_t bulkFollowed_ = 0; // changes of the bulk change in progress followed one by one
    bool bulkGivenUp_ = false;     // the rest of it is not followed: rebuilt at its end
    QRect bulkArea_;               // what they touched
    bool selectionNoticePending_ = false;
    bool handleRefreshPending_ = false;

    mutable std::vector<const Control*> selection_; // may hold controls gone since
    ControlSet selected_;

    Gesture gesture_;
    std::optional<GuideFinder> guideFinder_; // for the gesture in progress, made when first needed
    OutlineMarks outlines_;
    HandleMarks handles_;
    GuideMarks guides_;
    ReadoutMark readout_;
    QRubberBand* band_;
    bool paintedOnce_ = false;
    // The controls as last drawn, without the handles: a change of the selection draws no control.
    QImage controlsPicture_;
    QRegion controlsStale_; // where they changed since
};

} // namespace vap::ui
