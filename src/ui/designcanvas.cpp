#include "designcanvas.h"

#include "applanguage.h"
#include "controllook.h"
#include "designdocument.h"
#include "pixelcover.h"
#include "tjcomponent.h"

#include "core/model/design.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

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

/** The edges each handle moves, clockwise from the top-left corner. */
constexpr std::array<unsigned, 8> handleEdges{
    LeftEdge | TopEdge,     TopEdge,    TopEdge | RightEdge,   RightEdge,
    RightEdge | BottomEdge, BottomEdge, BottomEdge | LeftEdge, LeftEdge};

/** The guide features a handle moves: the edges it drags and the centres they shift. */
unsigned guideFeatures(unsigned edges) {
    unsigned features = 0;
    if (edges & LeftEdge)
        features |= GuideLeft | GuideHorizontalCentre;
    if (edges & RightEdge)
        features |= GuideRight | GuideHorizontalCentre;
    if (edges & TopEdge)
        features |= GuideTop | GuideVerticalCentre;
    if (edges & BottomEdge)
        features |= GuideBottom | GuideVerticalCentre;
    return features;
}

int clampedCoordinate(std::int64_t value) {
    return static_cast<int>(
        std::clamp<std::int64_t>(value, -shownCoordinateLimit, shownCoordinateLimit));
}

QLine lineOf(const GuideLine& guide) {
    int at = clampedCoordinate(static_cast<std::int64_t>(std::floor(guide.at)));
    int from = clampedCoordinate(guide.from);
    int to = clampedCoordinate(guide.to);
    return guide.vertical ? QLine(at, from, at, to) : QLine(from, at, to, at);
}

} // namespace

DesignCanvas::DesignCanvas(DesignDocument& document, QWidget* window)
    : QGraphicsView(window), document_(document), design_(document.design()),
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
    // The view draws every pixel it repaints: filling them first would only be painted over.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setOptimizationFlags(QGraphicsView::DontAdjustForAntialiasing);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    scene_.setItemIndexMethod(QGraphicsScene::NoIndex); // a handful of marks only
    for (QGraphicsItem* mark :
         std::initializer_list<QGraphicsItem*>{&outlines_, &guides_, &readout_})
        scene_.addItem(mark);
    setScene(&scene_);
    fitToViewport();
    band_->setObjectName(QStringLiteral("selectionBand"));
    band_->hide();
    document_.design().addObserver(this);
    // An undo or a redo mid-gesture ends the gesture first, as Escape does: its release would
    // otherwise apply the gesture to the controls as the step left them.
    connect(&document_, &DesignDocument::historyStepStarting, this, &DesignCanvas::endGesture);
    connect(&document_, &DesignDocument::controlCreated, this,
            [this](const Control* control) { select({control}); });
}

DesignCanvas::~DesignCanvas() {
    document_.design().removeObserver(this);
    for (QGraphicsItem* mark :
         std::initializer_list<QGraphicsItem*>{&outlines_, &guides_, &readout_})
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
    const QRect area = rect.toAlignedRect();
    const QRect pictured = area & QRect(QPoint(0, 0), viewport()->size());
    if (pictured != area)
        painter->fillRect(area, designGrey);
    refreshControlsPicture(pictured);
    const qreal scale = controlsPicture_.devicePixelRatio();
    painter->drawImage(
        QRectF(pictured), controlsPicture_,
        QRectF(QPointF(pictured.topLeft()) * scale, QSizeF(pictured.size()) * scale));
    handles_.paint(*painter, area); // above every control
}

void DesignCanvas::refreshControlsPicture(const QRect& area) {
    const QSize size = viewport()->size();
    const qreal scale = devicePixelRatioF();
    if (controlsPicture_.deviceIndependentSize() != QSizeF(size) ||
        controlsPicture_.devicePixelRatio() != scale) {
        controlsPicture_ = QImage((QSizeF(size) * scale).toSize(), QImage::Format_RGB32);
        controlsPicture_.setDevicePixelRatio(scale);
        controlsStale_ = QRegion(QRect(QPoint(0, 0), size));
    }
    const QRect part = (controlsStale_ & area).boundingRect();
    if (part.isEmpty())
        return;
    controlsStale_ -= part;
    QPainter painter(&controlsPicture_);
    painter.setClipRect(part);
    painter.fillRect(part, designGrey);
    for (const Control* control : visibleControls(part))
        TJComponent::ofKind(control->kind()).paint(painter, *control, grid_.shown(control));
}

std::vector<const Control*> DesignCanvas::visibleControls(const QRect& area) const {
    ensureIndexed();
    // Top first, leaving out those under opaque ones: of a big design only those a pixel of which
    // shows, and none once the area is covered.
    std::vector<const Control*> shown;
    PixelCover cover(area);
    auto take = [&](const Control* control) {
        if (!cover.coveredBefore(grid_.shown(control)))
            shown.push_back(control);
        return !cover.full();
    };
    if (grid_.listsMost(area)) {
        // The design's order is the stacking: no list of all the controls to sort.
        const auto& controls = design_.controls();
        for (auto control = controls.rbegin(); control != controls.rend(); ++control)
            if (!take(control->get()))
                break;
    } else {
        const std::vector<const Control*> touching = grid_.touching(area);
        for (auto control = touching.rbegin(); control != touching.rend(); ++control)
            if (!take(*control))
                break;
    }
    std::reverse(shown.begin(), shown.end());
    return shown;
}

void DesignCanvas::repaintControls(const QRect& area) {
    if (area.isEmpty())
        return;
    if (inBulkChange_) {
        bulkArea_ |= area; // one repaint at the end: a region of thousands of pieces costs more
        return;
    }
    constexpr int mostStalePieces = 32;
    controlsStale_ += area;
    if (controlsStale_.rectCount() > mostStalePieces)
        controlsStale_ = controlsStale_.boundingRect();
    repaintMarks(area);
}

void DesignCanvas::repaintMarks(const QRect& area) {
    if (!area.isEmpty())
        scene_.invalidate(QRectF(area), QGraphicsScene::BackgroundLayer);
}

bool DesignCanvas::followsOneByOne() {
    if (!inBulkChange_)
        return true;
    // A few changes are followed as they come; past that the grid is taken afresh once the bulk
    // change is over, which costs less than taking thousands out of crowded cells one by one.
    // Once given up, it stays so: the grid may be indexed meanwhile with controls about to go.
    constexpr std::size_t mostFollowed = 256;
    if (gridStale_ || ++bulkFollowed_ > mostFollowed)
        bulkGivenUp_ = true;
    if (bulkGivenUp_)
        gridStale_ = true;
    return !bulkGivenUp_;
}

void DesignCanvas::controlAdded(const Control& control) {
    // The grid holds the controls told of so far; the one right after them in creation order
    // (the newest, or the next of a paste told one by one) goes on top.
    const auto& controls = design_.controls();
    const std::size_t next = grid_.size();
    if (followsOneByOne() && !gridStale_ && next < controls.size() &&
        controls[next].get() == &control)
        grid_.add(&control, shownOf(control));
    else
        gridStale_ = true; // one put back beneath others: the stacking is taken afresh
    repaintControls(shownOf(control));
}

void DesignCanvas::controlChanged(const Control& control, ControlField field) {
    switch (field) {
    case ControlField::Left:
    case ControlField::Top:
    case ControlField::Width:
    case ControlField::Height: {
        if (!followsOneByOne() || gridStale_) {
            repaintControls(sceneRect().toAlignedRect()); // where it was is not known
        } else {
            QRect before = grid_.shown(&control);
            grid_.move(&control, shownOf(control));
            repaintControls(before);
            repaintControls(shownOf(control));
        }
        if (!inBulkChange_ && isSelected(control))
            scheduleHandleRefresh(false); // a bulk change refreshes them at its end
        break;
    }
    case ControlField::Caption:
        repaintControls(gridStale_ ? shownOf(control) : grid_.shown(&control));
        break;
    default:
        break;
    }
}

void DesignCanvas::controlRemoved(const Control& control) {
    if (gesture_.pressed == &control || std::find(gesture_.moving.begin(), gesture_.moving.end(),
                                                  &control) != gesture_.moving.end())
        endGesture(); // the control went in mid-gesture
    if (followsOneByOne()) {
        // Told just before the control goes: the grid must never be rebuilt with it afterwards.
        ensureIndexed();
        repaintControls(grid_.shown(&control));
        grid_.remove(&control);
    } else {
        repaintControls(shownOf(control)); // the grid is rebuilt after the bulk change, without it
    }
    if (selected_.erase(&control))
        scheduleHandleRefresh(true);
}

void DesignCanvas::scheduleHandleRefresh(bool selectionChanged) {
    selectionNoticePending_ = selectionNoticePending_ || selectionChanged;
    if (handleRefreshPending_)
        return;
    // Once after a run of changes: a change of many selected controls comes one by one.
    handleRefreshPending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            handleRefreshPending_ = false;
            refreshHandles();
            if (std::exchange(selectionNoticePending_, false))
                emit this->selectionChanged();
        },
        Qt::QueuedConnection);
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
    bulkFollowed_ = 0;
    bulkGivenUp_ = false;
    bulkArea_ = QRect();
}

void DesignCanvas::bulkChangeFinished() {
    inBulkChange_ = false;
    gridStale_ = gridStale_ || bulkGivenUp_;
    repaintControls(gridStale_ ? sceneRect().toAlignedRect() : bulkArea_);
    bulkArea_ = QRect();
    refreshHandles();
}

// ---- the selection

const std::vector<const Control*>& DesignCanvas::selection() const {
    if (selection_.size() != selected_.size())
        std::erase_if(selection_,
                      [this](const Control* control) { return !selected_.contains(control); });
    return selection_;
}

void DesignCanvas::select(std::vector<const Control*> controls) {
    // Once indexed, the grid lists exactly the design's controls, each found by its address in
    // one hash lookup: a paste selects every control it made, which a scan of the design for
    // each would make quadratic.
    ensureIndexed();
    std::erase_if(controls,
                  [this](const Control* control) { return !control || !grid_.contains(control); });
    ControlSet chosen;
    chosen.assign(controls);
    if (chosen.size() != controls.size()) {
        // A control given twice is kept where it came first: each is taken out when met.
        std::erase_if(controls,
                      [&chosen](const Control* control) { return !chosen.erase(control); });
        chosen.assign(controls);
    }
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

std::vector<QRect> DesignCanvas::selectedRects() const {
    ensureIndexed();
    std::vector<QRect> rects;
    rects.reserve(selection().size());
    for (const Control* control : selection()) {
        QRect shown = grid_.shown(control);
        if (!shown.isEmpty())
            rects.push_back(shown);
    }
    return rects;
}

void DesignCanvas::refreshHandles() {
    constexpr std::size_t mostPieces = 256;
    std::vector<QRect> rects = selectedRects();
    // The first selected is the reference; off the canvas, none of the handles shown is its.
    bool referenceShown = !selection().empty() && !grid_.shown(selection().front()).isEmpty();
    for (const QRect& piece : handles_.show(std::move(rects), mostPieces, referenceShown))
        repaintMarks(piece);
}

int DesignCanvas::handleAt(QPoint point, const Control*& owner) const {
    // The handles as drawn: those of the selection, the last selected first.
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

const GuideFinder& DesignCanvas::guideFinder() {
    if (!guideFinder_) {
        QSize client = viewport()->size();
        guideFinder_.emplace(boundsExcept(design_, gesture_.moving),
                             Bounds{0, 0, client.width(), client.height()});
    }
    return *guideFinder_;
}

std::vector<Bounds> DesignCanvas::movedBounds(QPoint offset) const {
    std::vector<Bounds> bounds;
    bounds.reserve(gesture_.moving.size());
    for (const Control* control : gesture_.moving)
        bounds.push_back(boundsOf(*control));
    if (gesture_.moving.size() == 1) {
        // One control dragged alone moves each value on its own, stopping at its end.
        Bounds& one = bounds.front();
        one.left = movedBy(one.left, offset.x());
        one.top = movedBy(one.top, offset.y());
        return bounds;
    }
    return nudged(bounds, offset.x(), offset.y());
}

Bounds DesignCanvas::pressedMovedBounds(const std::vector<Bounds>& moved) const {
    auto pressed = std::find(gesture_.moving.begin(), gesture_.moving.end(), gesture_.pressed);
    return moved[static_cast<std::size_t>(pressed - gesture_.moving.begin())];
}

QPoint DesignCanvas::moveOffset(QPoint at, Qt::KeyboardModifiers modifiers) {
    QPoint offset = at - gesture_.press;
    if (!(modifiers & snapModifier) || offset.isNull())
        return offset;
    Bounds pressed[] = {pressedMovedBounds(movedBounds(offset))};
    Offset snap = guideFinder().snapOffset(pressed, snapDistance);
    return offset + QPoint(static_cast<int>(snap.dx), static_cast<int>(snap.dy));
}

Bounds DesignCanvas::resizedBounds(QPoint at, Qt::KeyboardModifiers modifiers) {
    const Control& control = *gesture_.pressed;
    unsigned edges = handleEdges[static_cast<std::size_t>(gesture_.handle)];
    QPoint offset = at - gesture_.press;
    Bounds resized = resizedByHandle(boundsOf(control), edges, offset.x(), offset.y());
    if ((modifiers & snapModifier) && !offset.isNull()) {
        Bounds moving[] = {resized};
        Offset snap = guideFinder().snapOffset(moving, snapDistance,
                                               guideFeatures(edges) &
                                                   ~(GuideHorizontalCentre | GuideVerticalCentre));
        resized =
            resizedByHandle(boundsOf(control), edges, offset.x() + snap.dx, offset.y() + snap.dy);
    }
    return resized;
}

void DesignCanvas::showGuides(std::span<const Bounds> moved, unsigned features) {
    std::vector<QLine> lines;
    for (const GuideLine& guide : guideFinder().lines(moved, features))
        lines.push_back(lineOf(guide));
    guides_.show(std::move(lines));
}

std::vector<QRect> DesignCanvas::moveOutlines(QPoint offset) const {
    auto movedRect = [offset](const Control* control) {
        return ui::shownRect(std::int64_t{control->left()} + offset.x(),
                             std::int64_t{control->top()} + offset.y(), control->width(),
                             control->height());
    };
    // Each outline's edges are repainted as they move: past a few controls they would span the
    // window, and the window system takes it whole at every move.
    constexpr std::size_t mostOutlined = 4;
    std::vector<QRect> rects;
    if (gesture_.moving.size() > mostOutlined) {
        QRect around;
        for (const Control* control : gesture_.moving)
            around |= movedRect(control);
        return {around, movedRect(gesture_.pressed)};
    }
    for (const Control* control : gesture_.moving)
        rects.push_back(movedRect(control));
    return rects;
}

void DesignCanvas::followPointer(QPoint at, Qt::KeyboardModifiers modifiers) {
    switch (gesture_.kind) {
    case GestureKind::Move: {
        QPoint offset = moveOffset(at, modifiers);
        outlines_.show(moveOutlines(offset));
        if (offset.isNull() && at == gesture_.press) {
            readout_.hideText();
            break;
        }
        Bounds pressed[] = {pressedMovedBounds(movedBounds(offset))};
        readout_.show(QStringLiteral("%1, %2").arg(pressed[0].left).arg(pressed[0].top), at);
        showGuides(pressed, GuideAll);
        break;
    }
    case GestureKind::Resize: {
        Bounds bounds = resizedBounds(at, modifiers);
        outlines_.show({ui::shownRect(bounds.left, bounds.top, bounds.width, bounds.height)});
        readout_.show(QStringLiteral("%1 x %2").arg(bounds.width).arg(bounds.height), at);
        if (at != gesture_.press) {
            Bounds moved[] = {bounds};
            showGuides(moved,
                       guideFeatures(handleEdges[static_cast<std::size_t>(gesture_.handle)]));
        }
        break;
    }
    case GestureKind::Band:
        band_->setGeometry(QRect(gesture_.press, at).normalized());
        band_->setVisible(at != gesture_.press);
        break;
    case GestureKind::None:
        break;
    }
}

void DesignCanvas::finishGesture(QPoint at, Qt::KeyboardModifiers modifiers) {
    GestureKind kind = gesture_.kind;
    if (kind == GestureKind::Move)
        finishMove(at, modifiers);
    else if (kind == GestureKind::Resize)
        finishResize(at, modifiers);
    else if (kind == GestureKind::Band)
        finishBand(at, modifiers);
}

void DesignCanvas::finishMove(QPoint at, Qt::KeyboardModifiers modifiers) {
    QPoint offset = moveOffset(at, modifiers);
    std::vector<Bounds> moved = movedBounds(offset);
    Gesture gesture = gesture_;
    endGesture();
    if (offset.isNull()) {
        finishClick(gesture);
        return;
    }
    if (!isSelected(*gesture.pressed))
        select({gesture.pressed});
    if (gesture.moving.size() == 1) {
        // Left first, then Top, as the control is moved by the offset of the drag.
        document_.moveControl(*gesture.pressed, moved.front().left, moved.front().top);
        return;
    }
    std::vector<std::pair<const Control*, Bounds>> changes;
    for (std::size_t i = 0; i < moved.size(); ++i)
        changes.emplace_back(gesture.moving[i], moved[i]);
    document_.setControlsBounds(changes, Step::MoveControls);
}

void DesignCanvas::finishClick(const Gesture& gesture) {
    const Control* clicked = gesture.pressed;
    if (!(gesture.modifiers & Qt::ControlModifier)) {
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

void DesignCanvas::finishResize(QPoint at, Qt::KeyboardModifiers modifiers) {
    Bounds bounds = resizedBounds(at, modifiers);
    const Control* control = gesture_.pressed;
    endGesture();
    if (bounds != boundsOf(*control))
        document_.setControlsBounds({{control, bounds}}, Step::ResizeControls);
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
    guideFinder_.reset();
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
    fitToViewport();
}

void DesignCanvas::fitToViewport() {
    QRectF extent(QPointF(0, 0), viewport()->size());
    setSceneRect(extent);
    for (CanvasMark* mark : std::initializer_list<CanvasMark*>{&outlines_, &guides_, &readout_})
        mark->setExtent(extent);
}

} // namespace vap::ui
