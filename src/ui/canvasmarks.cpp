#include "canvasmarks.h"

#include <QFontMetrics>
#include <QGraphicsScene>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <utility>

namespace vap::ui {

namespace {
constexpr qreal outlineZ = 3;
constexpr qreal guideZ = 2;
constexpr qreal handleZ = 1;
constexpr qreal readoutZ = 4;

const QColor handleFill{0, 84, 166};
const QColor guideColor{220, 0, 120};
const QColor readoutFill{255, 255, 225};

/** One edge of an outline: alternating dark and light pixels. */
void paintDottedEdge(QPainter& painter, const QRect& edge) {
    painter.fillRect(edge, Qt::white);
    painter.fillRect(edge, QBrush(Qt::black, Qt::Dense4Pattern));
}

/** Repaints where a mark was before its extent changes, whatever the view last recorded. */
void eraseOldExtent(QGraphicsItem* mark, const QRectF& extent) {
    if (mark->scene() && !extent.isEmpty())
        mark->scene()->update(extent);
}

template <class Shape> QRectF boundsOf(const std::vector<Shape>& shapes, int margin) {
    QRect bounds;
    for (const Shape& shape : shapes) {
        if constexpr (std::is_same_v<Shape, QLine>)
            bounds |= QRect(shape.p1(), shape.p2()).normalized().adjusted(0, 0, 1, 1);
        else
            bounds |= shape;
    }
    return bounds.isNull() ? QRectF() : QRectF(bounds.adjusted(-margin, -margin, margin, margin));
}
} // namespace

OutlineMarks::OutlineMarks() {
    setZValue(outlineZ);
    setAcceptedMouseButtons(Qt::NoButton);
}

void OutlineMarks::show(std::vector<QRect> rects) {
    std::erase_if(rects, [](const QRect& rect) { return rect.isEmpty(); });
    prepareGeometryChange();
    eraseOldExtent(this, bounds_);
    rects_ = std::move(rects);
    bounds_ = boundsOf(rects_, 0);
}

void OutlineMarks::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    QRect exposed = option->exposedRect.toAlignedRect();
    for (const QRect& rect : rects_) {
        if (!rect.intersects(exposed))
            continue;
        const QRect edges[] = {QRect(rect.left(), rect.top(), rect.width(), 1),
                               QRect(rect.left(), rect.bottom(), rect.width(), 1),
                               QRect(rect.left(), rect.top(), 1, rect.height()),
                               QRect(rect.right(), rect.top(), 1, rect.height())};
        for (const QRect& edge : edges)
            paintDottedEdge(*painter, edge & exposed);
    }
}

std::array<QRect, 8> HandleMarks::handlesOf(const QRect& rect) {
    const int half = handleSize / 2;
    const int left = rect.left();
    const int right = rect.left() + rect.width() - 1;
    const int top = rect.top();
    const int bottom = rect.top() + rect.height() - 1;
    const int middleX = left + (rect.width() - 1) / 2;
    const int middleY = top + (rect.height() - 1) / 2;
    auto at = [half](int x, int y) { return QRect(x - half, y - half, handleSize, handleSize); };
    return {at(left, top),     at(middleX, top),    at(right, top),   at(right, middleY),
            at(right, bottom), at(middleX, bottom), at(left, bottom), at(left, middleY)};
}

HandleMarks::HandleMarks(std::function<std::vector<QRect>(const QRectF& area)> marked)
    : marked_(std::move(marked)) {
    setZValue(handleZ);
    setAcceptedMouseButtons(Qt::NoButton);
}

void HandleMarks::refresh(const QRect& bounds) {
    prepareGeometryChange();
    eraseOldExtent(this, bounds_);
    int margin = handleSize;
    bounds_ =
        bounds.isEmpty() ? QRectF() : QRectF(bounds.adjusted(-margin, -margin, margin, margin));
    update();
}

void HandleMarks::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    // Never beyond the extent the view knows, or what is drawn there would never be erased:
    // handles of controls moved since the last refresh wait for it.
    painter->setClipRect(bounds_);
    for (const QRect& rect : marked_(option->exposedRect & bounds_)) {
        for (const QRect& handle : handlesOf(rect)) {
            painter->fillRect(handle, Qt::white);
            painter->fillRect(handle.adjusted(1, 1, -1, -1), handleFill);
        }
    }
}

GuideMarks::GuideMarks() {
    setZValue(guideZ);
    setAcceptedMouseButtons(Qt::NoButton);
}

void GuideMarks::show(std::vector<QLine> lines) {
    prepareGeometryChange();
    eraseOldExtent(this, bounds_);
    lines_ = std::move(lines);
    bounds_ = boundsOf(lines_, 1);
}

void GuideMarks::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setPen(QPen(guideColor, 1));
    for (const QLine& line : lines_)
        painter->drawLine(line);
}

ReadoutMark::ReadoutMark() {
    setZValue(readoutZ);
    setAcceptedMouseButtons(Qt::NoButton);
}

void ReadoutMark::show(const QString& text, QPoint pointer) {
    QFont font;
    font.setPixelSize(11);
    QFontMetrics metrics(font);
    QRect box(QPoint(0, 0), metrics.size(Qt::TextSingleLine, text) + QSize(8, 4));
    // Below and right of the pointer, clear of the cursor's arrow.
    box.moveTopLeft(pointer + QPoint(14, 18));
    prepareGeometryChange();
    eraseOldExtent(this, box_);
    text_ = text;
    box_ = box;
}

void ReadoutMark::hideText() {
    if (text_.isEmpty())
        return;
    prepareGeometryChange();
    eraseOldExtent(this, box_);
    text_.clear();
    box_ = QRectF();
}

void ReadoutMark::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (text_.isEmpty())
        return;
    QFont font;
    font.setPixelSize(11);
    painter->setFont(font);
    painter->fillRect(box_, readoutFill);
    painter->setPen(Qt::black);
    painter->drawRect(box_.adjusted(0, 0, -1, -1));
    painter->drawText(box_, Qt::AlignCenter, text_);
}

} // namespace vap::ui
