#include "canvasmarks.h"

#include "pixelcover.h"

#include <QFontMetrics>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <algorithm>
#include <utility>

namespace vap::ui {

namespace {
constexpr qreal outlineZ = 3;
constexpr qreal guideZ = 2;
constexpr qreal readoutZ = 4;

/**
 * Past this many pieces, the rectangle around them is repainted instead: the window system takes
 * each piece as a request of its own, and a few hundred cost more than the whole window.
 */
constexpr std::size_t mostPieces = 32;

/** Rows a fill through a clip of many pieces may take before the raster engine threads it. */
constexpr int bandRows = 64;

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

/** The area cut across into bands of at most bandRows rows, top first. */
std::vector<QRect> bandsOf(const QRect& area) {
    std::vector<QRect> bands;
    for (int top = area.top(); top <= area.bottom(); top += bandRows)
        bands.emplace_back(area.left(), top, area.width(),
                           std::min(bandRows, area.bottom() - top + 1));
    return bands;
}

/**
 * The outline's alternating dark and light pixels, ready to copy: a pixel at (x, y) is dark when
 * x + y is even, as the dotted outline always looked. Copying an edge out of a strip costs a
 * small part of filling it with a pattern, which is fetched pixel by pixel.
 */
class DottedStrips {
public:
    DottedStrips()
        : row_(stripLength + 1, 1, QImage::Format_RGB32),
          column_(1, stripLength + 1, QImage::Format_RGB32) {
        for (int i = 0; i <= stripLength; ++i) {
            QRgb shade = i % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
            row_.setPixel(i, 0, shade);
            column_.setPixel(0, i, shade);
        }
    }

    /** Draws the dotted pixels over an area one pixel high or wide. */
    void draw(QPainter& painter, const QRect& area) const {
        if (area.height() == 1) {
            for (int left = area.left(); left <= area.right(); left += stripLength) {
                int count = std::min(stripLength, area.right() - left + 1);
                painter.drawImage(QPoint(left, area.top()), row_,
                                  QRect((left + area.top()) & 1, 0, count, 1));
            }
            return;
        }
        for (const QRect& band : bandsOf(area)) // a band's copy stays on one thread
            painter.drawImage(band.topLeft(), column_,
                              QRect(0, (band.left() + band.top()) & 1, 1, band.height()));
    }

private:
    static constexpr int stripLength = 1024;
    QImage row_;
    QImage column_;
};

/**
 * Fills an area in bands of a few rows when the paint is clipped to many pieces: a fill of more
 * rows through such a clip goes to the raster engine's threads, whose hand-over costs far more
 * than the pixels of a thin line.
 */
void fillThinArea(QPainter& painter, const QRect& area, const QColor& color) {
    if (painter.paintEngine()->systemClip().rectCount() <= 1) {
        painter.fillRect(area, color);
        return;
    }
    for (const QRect& band : bandsOf(area))
        painter.fillRect(band, color);
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
    if (pieces.empty() || !scene())
        return;
    if (pieces.size() > mostPieces) {
        QRect around;
        for (const QRect& piece : pieces)
            around |= piece;
        update(QRectF(around));
        return;
    }
    // Straight to the views: the item's own update would unite the pieces into the rectangle
    // around them, often the whole window.
    for (QGraphicsView* view : scene()->views())
        for (const QRect& piece : pieces)
            view->viewport()->update(view->mapFromScene(QRectF(piece)).boundingRect());
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
    static const DottedStrips strips;
    QRect exposed = option->exposedRect.toAlignedRect();
    for (const QRect& rect : rects_) {
        if (!rect.intersects(exposed))
            continue;
        for (const QRect& edge : edgesOf(rect))
            strips.draw(*painter, edge & exposed);
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

QRect HandleMarks::reachOf(const QRect& rect) {
    const int half = handleSize / 2;
    return rect.adjusted(-half, -half, handleSize - half - 1, handleSize - half - 1);
}

std::vector<QRect> HandleMarks::show(std::vector<QRect> rects, std::size_t mostPieces,
                                     bool firstIsReference) {
    std::vector<QRect> pieces;
    if (rects == rects_ && firstIsReference == firstIsReference_)
        return pieces;
    firstIsReference_ = firstIsReference;
    // A big selection (a paste of thousands) is repainted as one area, never listed handle by
    // handle.
    const bool many = (rects_.size() + rects.size()) * 8 > mostPieces;
    QRect around;
    for (const std::vector<QRect>* marked : {&rects_, &rects})
        for (const QRect& rect : *marked) {
            if (many) {
                around |= reachOf(rect); // where its handles lie, at its corners and beyond
                continue;
            }
            for (const QRect& handle : handlesOf(rect))
                pieces.push_back(handle);
        }
    if (many)
        pieces = {around};
    rects_ = std::move(rects);
    return pieces;
}

std::vector<QRect> HandleMarks::hollowShownIn(const QRect& area) const {
    std::vector<QRect> shown;
    auto meets = [&area](const QRect& rect) {
        return rect.adjusted(-handleSize, -handleSize, handleSize, handleSize).intersects(area);
    };
    const bool reference = firstIsReference();
    const auto hollow = rects_.begin() + (reference ? 1 : 0);
    // A few are all drawn; of many, those whose every pixel a later one or the reference's
    // covers are left out, as a selection of thousands would fill the window many times over.
    constexpr std::ptrdiff_t fewRects = 64;
    if (rects_.end() - hollow <= fewRects) {
        for (auto rect = hollow; rect != rects_.end(); ++rect)
            if (meets(*rect))
                for (const QRect& handle : handlesOf(*rect))
                    shown.push_back(handle);
        return shown;
    }
    PixelCover cover(area);
    if (reference)
        for (const QRect& handle : handlesOf(rects_.front()))
            cover.coveredBefore(handle);
    for (auto rect = rects_.end(); rect != hollow;) {
        --rect;
        if (!meets(*rect))
            continue;
        std::array<QRect, 8> handles = handlesOf(*rect);
        for (auto handle = handles.rbegin(); handle != handles.rend(); ++handle)
            if (!cover.coveredBefore(*handle))
                shown.push_back(*handle);
    }
    std::reverse(shown.begin(), shown.end()); // the first selected first, beneath the others
    return shown;
}

void HandleMarks::paint(QPainter& painter, const QRect& area) const {
    auto paintHandle = [&painter](const QRect& handle, bool filled) {
        painter.fillRect(handle, filled ? Qt::white : handleFill);
        painter.fillRect(handle.adjusted(1, 1, -1, -1), filled ? handleFill : Qt::white);
    };
    for (const QRect& handle : hollowShownIn(area))
        paintHandle(handle, false);
    // The reference last, so that its filled handles show over any hollow ones on them.
    if (firstIsReference() &&
        rects_.front().adjusted(-handleSize, -handleSize, handleSize, handleSize).intersects(area))
        for (const QRect& handle : handlesOf(rects_.front()))
            paintHandle(handle, true);
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

void GuideMarks::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    // Each guide runs across or down the window: a rectangle one pixel thin, filled where exposed.
    QRect exposed = option->exposedRect.toAlignedRect();
    for (const QLine& line : lines_)
        fillThinArea(*painter, areaOf(line) & exposed, guideColor);
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
