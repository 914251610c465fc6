#include "canvasmarks.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <utility>

namespace vap::ui {

namespace {
constexpr qreal outlineZ = 3;
constexpr qreal guideZ = 2;
constexpr qreal readoutZ = 4;

/** Past this many pieces, the rectangle around them is repainted instead. */
constexpr std::size_t mostPieces = 256;

const QColor handleFill{0, 84, 166};
const QColor guideColor{220, 0, 120};
const QColor readoutFill{255, 255, 225};

std::array<QRect, 4> edgesOf(const QRect& rect) {
    return {QRect(rect.left(), rect.top(), rect.width(), 1),
            QRect(rect.left(), rect.bottom(), rect.width(), 1),
            QRect(rect.left(), rect.top(), 1, rect.height()),
            QRect(rect.right(), rect.top(), 1, rect.height())};
}

QRect areaOf(const QLine& line) {
    return QRect(line.p1(), line.p2()).normalized().adjusted(0, 0, 1, 1);
}

QFont readoutFont() {
    QFont font;
    font.setPixelSize(11);
    return font;
}
} // namespace

void CanvasMark::setExtent(const QRectF& extent) {
    prepareGeometryChange();
    extent_ = extent;
}

void CanvasMark::repaint(const std::vector<QRect>& pieces) {
    if (pieces.size() <= mostPieces) {
        for (const QRect& piece : pieces)
            update(QRectF(piece));
        return;
    }
    QRect around;
    for (const QRect& piece : pieces)
        around |= piece;
    update(QRectF(around));
}

OutlineMarks::OutlineMarks() {
    setZValue(outlineZ);
    setAcceptedMouseButtons(Qt::NoButton);
}

void OutlineMarks::show(std::vector<QRect> rects) {
    std::erase_if(rects, [](const QRect& rect) { return rect.isEmpty(); });
    std::vector<QRect> pieces;
    for (const std::vector<QRect>* outlines : {&rects_, &rects})
        for (const QRect& rect : *outlines)
            for (const QRect& edge : edgesOf(rect))
                pieces.push_back(edge);
    rects_ = std::move(rects);
    repaint(pieces);
}

void OutlineMarks::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    QRect exposed = option->exposedRect.toAlignedRect();
    for (const QRect& rect : rects_) {
        if (!rect.intersects(exposed))
            continue;
        // Alternating dark and light pixels, as the outline always looked.
        for (const QRect& edge : edgesOf(rect)) {
            QRect shown = edge & exposed;
            painter->fillRect(shown, Qt::white);
            painter->fillRect(shown, QBrush(Qt::black, Qt::Dense4Pattern));
        }
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

std::vector<QRect> HandleMarks::show(std::vector<QRect> rects) {
    std::vector<QRect> pieces;
    if (rects == rects_)
        return pieces;
    for (const std::vector<QRect>* marked : {&rects_, &rects})
        for (const QRect& rect : *marked)
            for (const QRect& handle : handlesOf(rect))
                pieces.push_back(handle);
    rects_ = std::move(rects);
    return pieces;
}

void HandleMarks::paint(QPainter& painter, const QRect& area) const {
    for (const QRect& rect : rects_) {
        if (!rect.adjusted(-handleSize, -handleSize, handleSize, handleSize).intersects(area))
            continue;
        for (const QRect& handle : handlesOf(rect)) {
            painter.fillRect(handle, Qt::white);
            painter.fillRect(handle.adjusted(1, 1, -1, -1), handleFill);
        }
    }
}

GuideMarks::GuideMarks() {
    setZValue(guideZ);
    setAcceptedMouseButtons(Qt::NoButton);
}

void GuideMarks::show(std::vector<QLine> lines) {
    if (lines == lines_)
        return;
    std::vector<QRect> pieces;
    for (const std::vector<QLine>* shown : {&lines_, &lines})
        for (const QLine& line : *shown)
            pieces.push_back(areaOf(line));
    lines_ = std::move(lines);
    repaint(pieces);
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
    QFontMetrics metrics(readoutFont());
    QRect box(QPoint(0, 0), metrics.size(Qt::TextSingleLine, text) + QSize(8, 4));
    // Below and right of the pointer, clear of the cursor's arrow.
    box.moveTopLeft(pointer + QPoint(14, 18));
    repaint({box_, box});
    text_ = text;
    box_ = box;
}

void ReadoutMark::hideText() {
    if (text_.isEmpty())
        return;
    repaint({box_});
    text_.clear();
    box_ = QRect();
}

void ReadoutMark::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (text_.isEmpty())
        return;
    painter->setFont(readoutFont());
    painter->fillRect(box_, readoutFill);
    painter->setPen(Qt::black);
    painter->drawRect(box_.adjusted(0, 0, -1, -1));
    painter->drawText(box_, Qt::AlignCenter, text_);
}

} // namespace vap::ui
