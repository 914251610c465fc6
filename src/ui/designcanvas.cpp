#include "designcanvas.h"

#include "applanguage.h"
#include "controllook.h"
#include "designdocument.h"
#include "tjcomponent.h"

#include "core/model/design.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QToolTip>

#include <algorithm>
#include <limits>

namespace vap::ui {

namespace {

QRect shownOf(const Control& control) {
    return ui::shownRect(control.left(), control.top(), control.width(), control.height());
}

/** A value moved by an offset, stopping at the ends of the 32-bit range. */
std::int32_t movedBy(std::int64_t value, std::int64_t offset) {
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value + offset, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

/** Past this many rectangles, what is already covered is no longer tracked exactly. */
constexpr int coveredRectLimit = 48;

/** The controls to paint over an area, bottom first, without those hidden under opaque ones. */
std::vector<const Control*> uncovered(const std::vector<const Control*>& bottomFirst,
                                      const ControlGrid& grid, const QRect& area) {
    std::vector<const Control*> shown;
    QRegion covered;
    for (auto control = bottomFirst.rbegin(); control != bottomFirst.rend(); ++control) {
        QRect part = grid.shown(*control) & area;
        if (!covered.isEmpty() && (QRegion(part) - covered).isEmpty())
            continue;
        shown.push_back(*control);
        if (part == area)
            break; // every control beneath is hidden
        if (covered.rectCount() < coveredRectLimit)
            covered += part;
    }
    std::reverse(shown.begin(), shown.end());
    return shown;
}

/** Interim: several controls' new bounds as one step. */
void commitBounds(DesignDocument& document, const std::vector<ControlBounds>& changes) {
    document.history().beginMacro(QString());
    for (const ControlBounds& change : changes) {
        document.moveControl(*change.control, change.left, change.top);
        document.setControlValue(*change.control, ControlField::Width, change.width);
        document.setControlValue(*change.control, ControlField::Height, change.height);
    }
    document.history().endMacro();
}

} // namespace

DesignCanvas::DesignCanvas(DesignDocument& document, QWidget* window)
    : QGraphicsView(window), document_(document), design_(document.design()),
      handles_([this](const QRectF& area) {
          std::vector<QRect> rects = handleRects();
          QRect reach =
              area.toAlignedRect().adjusted(-HandleMarks::handleSize, -HandleMarks::handleSize,
                                            HandleMarks::handleSize, HandleMarks::handleSize);
          std::erase_if(rects, [&](const QRect& rect) { return !rect.intersects(reach); });
          return rects;
      }),
      band_(new QRubberBand(QRubberBand::Rectangle, viewport())) {
    setObjectName(QStringLiteral("canvas"));
    viewport()->setObjectName(QStringLiteral("canvasArea"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setFocusPolicy(Qt::NoFocus); // the keys are the window's commands
    setCacheMode(QGraphicsView::CacheBackground);
    setOptimizationFlags(QGraphicsView::DontAdjustForAntialiasing |
                         QGraphicsView::DontSavePainterState);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    scene_.setItemIndexMethod(QGraphicsScene::NoIndex); // a handful of marks only
    for (QGraphicsItem* mark :
         std::initializer_list<QGraphicsItem*>{&outlines_, &handles_, &guides_, &readout_})
        scene_.addItem(mark);
    setScene(&scene_);
    setSceneRect(QRectF(QPointF(0, 0), viewport()->size()));
    band_->setObjectName(QStringLiteral("selectionBand"));
    band_->hide();
    document_.design().addObserver(this);
}

DesignCanvas::~DesignCanvas() {
    document_.design().removeObserver(this);
    for (QGraphicsItem* mark :
         std::initializer_list<QGraphicsItem*>{&outlines_, &handles_, &guides_, &readout_})
        scene_.removeItem(mark);
}

// ---- the controls on the canvas

void DesignCanvas::ensureIndexed() const {
    if (!gridStale_)
        return;
    grid_.rebuild(design_.controls(), &shownOf);
    gridStale_ = false;
}

const Control* DesignCanvas::controlAt(QPoint point) const {
    ensureIndexed();
    return grid_.topmostAt(point);
}

QRect DesignCanvas::shownRect(const Control& control) const {
    ensureIndexed();
    return grid_.shown(&control);
}

std::size_t DesignCanvas::shownCount() const {
    ensureIndexed();
    return grid_.size();
}

bool DesignCanvas::drawnAbove(const Control& upper, const Control& lower) const {
    ensureIndexed();
    return grid_.above(&upper, &lower);
}

void DesignCanvas::drawBackground(QPainter* painter, const QRectF& rect) {
    QRect area = rect.toAlignedRect();
    painter->fillRect(area, designGrey);
    ensureIndexed();
    for (const Control* control : uncovered(grid_.touching(area), grid_, area))
        TJComponent::ofKind(control->kind()).paint(*painter, *control, grid_.shown(control));
}

void DesignCanvas::repaintControls(const QRect& area) {
    if (!area.isEmpty())
        scene_.invalidate(QRectF(area), QGraphicsScene::BackgroundLayer);
}

void DesignCanvas::controlAdded(const Control& control) {
    if (!inBulkChange_ && !gridStale_ && design_.controls().back().get() == &control)
        grid_.add(&control, shownOf(control));
    else
        gridStale_ = true; // one put back beneath others: the stacking is taken afresh
    if (!inBulkChange_)
        repaintControls(shownOf(control));
}

void DesignCanvas::controlChanged(const Control& control, ControlField field) {
    if (inBulkChange_)
        return;
    switch (field) {
    case ControlField::Left:
    case ControlField::Top:
    case ControlField::Width:
    case ControlField::Height: {
        QRect before = shownRect(control);
        grid_.move(&control, shownOf(control));
        repaintControls(before);
        repaintControls(shownOf(control));
        if (isSelected(control))
            refreshHandles();
        break;
    }
    case ControlField::Caption:
        repaintControls(shownRect(control));
        break;
    default:
        break;
    }
}

void DesignCanvas::controlRemoved(const Control& control) {
    if (gesture_.pressed == &control || std::find(gesture_.moving.begin(), gesture_.moving.end(),
                                                  &control) != gesture_.moving.end())
        endGesture(); // the control went in mid-gesture
    if (!inBulkChange_ && !gridStale_) {
        repaintControls(grid_.shown(&control));
        grid_.remove(&control);
    } else {
        gridStale_ = true;
    }
    if (selected_.erase(&control) != 0) {
        handles_.update();
        if (!selectionNoticePending_) {
            selectionNoticePending_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    selectionNoticePending_ = false;
                    refreshHandles();
                    emit selectionChanged();
                },
                Qt::QueuedConnection);
        }
    }
}

void DesignCanvas::designCleared() {
    endGesture();
    grid_.clear();
    gridStale_ = false; // told before the controls go: the grid is what the design will hold
    bool hadSelection = !selected_.empty();
    selected_.clear();
    selection_.clear();
    refreshHandles();
    repaintControls(sceneRect().toAlignedRect());
    if (hadSelection)
        emit selectionChanged();
}

void DesignCanvas::bulkChangeStarted() {
    inBulkChange_ = true;
    gridStale_ = true;
}

void DesignCanvas::bulkChangeFinished() {
    inBulkChange_ = false;
    gridStale_ = true;
    repaintControls(sceneRect().toAlignedRect());
    refreshHandles();
}

// ---- the selection

const std::vector<const Control*>& DesignCanvas::selection() const {
    if (selection_.size() != selected_.size())
        std::erase_if(selection_,
                      [this](const Control* control) { return selected_.count(control) == 0; });
    return selection_;
}

void DesignCanvas::select(std::vector<const Control*> controls) {
    std::unordered_set<const Control*> chosen;
    std::erase_if(controls, [&](const Control* control) {
        return !control || !design_.contains(control) || !chosen.insert(control).second;
    });
    if (controls == selection())
        return;
    selection_ = std::move(controls);
    selected_ = std::move(chosen);
    refreshHandles();
    emit selectionChanged();
}

void DesignCanvas::selectAll() {
    std::vector<const Control*> all;
    all.reserve(design_.controls().size());
    for (const auto& control : design_.controls())
        all.push_back(control.get());
    select(std::move(all));
}

std::vector<QRect> DesignCanvas::handleRects() const {
    ensureIndexed();
    std::vector<QRect> rects;
    for (const Control* control : selection()) {
        QRect shown = grid_.shown(control);
        if (!shown.isEmpty())
            rects.push_back(shown);
    }
    return rects;
}

void DesignCanvas::refreshHandles() {
    QRect bounds;
    for (const QRect& rect : handleRects())
        bounds |= rect;
    handles_.refresh(bounds);
}

int DesignCanvas::handleAt(QPoint point, const Control*& owner) const {
    const std::vector<const Control*>& chosen = selection();
    for (auto control = chosen.rbegin(); control != chosen.rend(); ++control) {
        QRect shown = grid_.shown(*control);
        if (shown.isEmpty())
            continue;
        std::array<QRect, 8> handles = HandleMarks::handlesOf(shown);
        for (int i = 0; i < 8; ++i) {
            if (handles[static_cast<std::size_t>(i)].contains(point)) {
                owner = *control;
                return i;
            }
        }
    }
    return -1;
}

// ---- gestures

void DesignCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    endGesture(); // a release that went to a pop-up menu left the last one open
    QPoint at = event->position().toPoint();
    ensureIndexed();
    const Control* owner = nullptr;
    if (int handle = handleAt(at, owner); handle >= 0)
        startResize(owner, handle, at);
    else if (const Control* control = grid_.topmostAt(at))
        startMove(control, at, event->modifiers());
    else
        startBand(at, event->modifiers());
    event->accept();
}

void DesignCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (gesture_.kind != GestureKind::None && (event->buttons() & Qt::LeftButton))
        followPointer(event->position().toPoint(), event->modifiers());
    event->accept();
}

void DesignCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && gesture_.kind != GestureKind::None)
        finishGesture(event->position().toPoint(), event->modifiers());
    event->accept();
}

void DesignCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if (const Control* control = controlAt(event->position().toPoint()))
        emit controlDoubleClicked(control);
}

void DesignCanvas::contextMenuEvent(QContextMenuEvent* event) {
    endGesture(); // the menu takes the mouse: the drag's release would never come
    const Control* control = controlAt(event->pos());
    if (!control) {
        event->ignore(); // the window's own menu
        return;
    }
    if (!isSelected(*control))
        select({control});
    event->accept();
    emit controlMenuRequested(control, event->globalPos());
}

void DesignCanvas::startMove(const Control* pressed, QPoint at, Qt::KeyboardModifiers modifiers) {
    gesture_ = Gesture{GestureKind::Move, at, modifiers, pressed, {}, -1};
    if (isSelected(*pressed))
        gesture_.moving = selection();
    else
        gesture_.moving = {pressed};
    followPointer(at, modifiers);
}

void DesignCanvas::startResize(const Control* control, int handle, QPoint at) {
    gesture_ = Gesture{GestureKind::Resize, at, Qt::NoModifier, control, {control}, handle};
    followPointer(at, Qt::NoModifier);
}

void DesignCanvas::startBand(QPoint at, Qt::KeyboardModifiers modifiers) {
    gesture_ = Gesture{GestureKind::Band, at, modifiers, nullptr, {}, -1};
}

void DesignCanvas::followPointer(QPoint at, Qt::KeyboardModifiers) {
    QPoint offset = at - gesture_.press;
    switch (gesture_.kind) {
    case GestureKind::Move: {
        std::vector<QRect> rects;
        rects.reserve(gesture_.moving.size());
        for (const Control* control : gesture_.moving)
            rects.push_back(ui::shownRect(std::int64_t{control->left()} + offset.x(),
                                          std::int64_t{control->top()} + offset.y(),
                                          control->width(), control->height()));
        outlines_.show(std::move(rects));
        if (offset.isNull())
            readout_.hideText();
        else
            readout_.show(QStringLiteral("%1, %2")
                              .arg(movedBy(gesture_.pressed->left(), offset.x()))
                              .arg(movedBy(gesture_.pressed->top(), offset.y())),
                          at);
        break;
    }
    case GestureKind::Resize: {
        ControlBounds bounds = resizedBounds(at);
        outlines_.show({ui::shownRect(bounds.left, bounds.top, bounds.width, bounds.height)});
        readout_.show(QStringLiteral("%1 x %2").arg(bounds.width).arg(bounds.height), at);
        break;
    }
    case GestureKind::Band:
        band_->setGeometry(QRect(gesture_.press, at).normalized());
        band_->setVisible(!offset.isNull());
        break;
    case GestureKind::None:
        break;
    }
}

ControlBounds DesignCanvas::resizedBounds(QPoint at) const {
    const Control& control = *gesture_.pressed;
    QPoint offset = at - gesture_.press;
    std::int64_t left = control.left();
    std::int64_t top = control.top();
    std::int64_t right = left + control.width();
    std::int64_t bottom = top + control.height();
    const int handle = gesture_.handle;
    // Handles clockwise from the top-left corner; each moves the edges it lies on.
    if (handle == 0 || handle == 6 || handle == 7)
        left = std::min<std::int64_t>(left + offset.x(), right - 1);
    if (handle == 2 || handle == 3 || handle == 4)
        right = std::max<std::int64_t>(right + offset.x(), left + 1);
    if (handle == 0 || handle == 1 || handle == 2)
        top = std::min<std::int64_t>(top + offset.y(), bottom - 1);
    if (handle == 4 || handle == 5 || handle == 6)
        bottom = std::max<std::int64_t>(bottom + offset.y(), top + 1);
    std::int32_t newLeft = movedBy(left, 0);
    std::int32_t newTop = movedBy(top, 0);
    return ControlBounds{&control, newLeft, newTop, movedBy(right - newLeft, 0),
                         movedBy(bottom - newTop, 0)};
}

void DesignCanvas::finishGesture(QPoint at, Qt::KeyboardModifiers modifiers) {
    GestureKind kind = gesture_.kind;
    if (kind == GestureKind::Move)
        finishMove(at);
    else if (kind == GestureKind::Resize)
        finishResize(at);
    else if (kind == GestureKind::Band)
        finishBand(at, modifiers);
}

void DesignCanvas::finishMove(QPoint at) {
    Gesture gesture = gesture_;
    endGesture();
    QPoint offset = at - gesture.press;
    if (offset.isNull()) {
        gesture_ = gesture;
        finishClick(gesture.modifiers);
        gesture_ = Gesture{};
        return;
    }
    if (!isSelected(*gesture.pressed))
        select({gesture.pressed});
    if (gesture.moving.size() == 1) {
        // Left first, then Top, as the control is moved by the offset of the drag.
        const Control& moved = *gesture.pressed;
        document_.moveControl(moved, movedBy(moved.left(), offset.x()),
                              movedBy(moved.top(), offset.y()));
        return;
    }
    std::vector<ControlBounds> moved;
    for (const Control* control : gesture.moving)
        moved.push_back({control, movedBy(control->left(), offset.x()),
                         movedBy(control->top(), offset.y()), control->width(), control->height()});
    commitBounds(document_, moved);
}

void DesignCanvas::finishClick(Qt::KeyboardModifiers modifiers) {
    const Control* clicked = gesture_.pressed;
    if (!(modifiers & Qt::ControlModifier)) {
        select({clicked});
        return;
    }
    std::vector<const Control*> chosen = selection();
    if (isSelected(*clicked))
        std::erase(chosen, clicked);
    else
        chosen.push_back(clicked);
    select(std::move(chosen));
}

void DesignCanvas::finishResize(QPoint at) {
    ControlBounds bounds = resizedBounds(at);
    endGesture();
    const Control& control = *bounds.control;
    if (bounds.left == control.left() && bounds.top == control.top() &&
        bounds.width == control.width() && bounds.height == control.height())
        return;
    commitBounds(document_, {bounds});
}

void DesignCanvas::finishBand(QPoint at, Qt::KeyboardModifiers modifiers) {
    Gesture gesture = gesture_;
    endGesture();
    bool adding = modifiers & Qt::ControlModifier;
    if (at == gesture.press) {
        if (!adding)
            clearSelection(); // a click on the background
        return;
    }
    ensureIndexed();
    std::vector<const Control*> chosen = adding ? selection() : std::vector<const Control*>{};
    for (const Control* control : grid_.touching(QRect(gesture.press, at).normalized()))
        chosen.push_back(control);
    select(std::move(chosen));
}

void DesignCanvas::endGesture() {
    gesture_ = Gesture{};
    clearGestureMarks();
}

void DesignCanvas::clearGestureMarks() {
    if (outlines_.isShown())
        outlines_.show({});
    if (guides_.isShown())
        guides_.show({});
    readout_.hideText();
    band_->hide();
}

bool DesignCanvas::gestureMarksShown() const {
    return outlines_.isShown() || guides_.isShown() || readout_.isShown() || band_->isVisible();
}

// ---- hints, painting, size

bool DesignCanvas::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        // The hint is the topmost control's alone: one without a hint shows none, even over a
        // control that has one.
        auto* help = static_cast<QHelpEvent*>(event);
        const Control* control = controlAt(help->pos());
        QString hint = control && control->showHint() ? qs(control->hint()) : QString();
        if (hint.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), hint, viewport(), shownRect(*control));
        }
        return true;
    }
    return QGraphicsView::viewportEvent(event);
}

void DesignCanvas::paintEvent(QPaintEvent* event) {
    QGraphicsView::paintEvent(event);
    if (!paintedOnce_) {
        paintedOnce_ = true;
        emit firstPainted();
    }
}

void DesignCanvas::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    setSceneRect(QRectF(QPointF(0, 0), viewport()->size()));
}

} // namespace vap::ui
