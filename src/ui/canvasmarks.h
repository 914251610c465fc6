#pragma once

#include <QGraphicsItem>
#include <QLine>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace vap::ui {

/**
 * What the canvas draws over the controls and never into them: the outlines of a gesture, the
 * selection's handles, the guides and the readout. Each is one scene item above the controls,
 * which the view paints from its cached background. A mark spans the whole canvas and, when it
 * changes, repaints only the thin pieces it leaves and takes, so that a drag repaints no control
 * and little of the window.
 */
class CanvasMark : public QGraphicsItem {
public:
    /** The canvas' area: what the mark may draw on. */
    void setExtent(const QRectF& extent);
    QRectF boundingRect() const override { return extent_; }

    /** Repaints the pieces, or all that holds them when they are too many to list. */
    void repaint(const std::vector<QRect>& pieces);

private:
    QRectF extent_;
};

/** The outlines of a gesture: where the controls would go. */
class OutlineMarks : public CanvasMark {
public:
    OutlineMarks();
    /** Shows an outline around each rectangle; none hides them. */
    void show(std::vector<QRect> rects);
    bool isShown() const { return !rects_.empty(); }
    const std::vector<QRect>& rects() const { return rects_; }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

private:
    std::vector<QRect> rects_;
};

/**
 * The handles of the selected controls: small squares at the corners and the edges' middles.
 * They change only when the selection does, so the canvas draws them over the controls in its
 * cached background, and a drag repaints none of them. The reference's handles, which the
 * others line up with, are filled; the others' are hollow.
 */
class HandleMarks {
public:
    static constexpr int handleSize = 6;
    /** The places of a rectangle's handles, clockwise from the top-left corner. */
    static std::array<QRect, 8> handlesOf(const QRect& rect);
    /** The rectangle around a rectangle's handles. */
    static QRect reachOf(const QRect& rect);

    /**
     * Shows the handles of these rectangles, the first as the reference when `firstIsReference`;
     * gives the pieces to repaint, or one rectangle around them all where they would be more
     * than `mostPieces`.
     */
    std::vector<QRect> show(std::vector<QRect> rects, std::size_t mostPieces,
                            bool firstIsReference);
    const std::vector<QRect>& rects() const { return rects_; }
    /** Whether the first rectangle's handles are the reference's. */
    bool firstIsReference() const { return firstIsReference_ && !rects_.empty(); }
    void paint(QPainter& painter, const QRect& area) const;
    /**
     * The hollow handles (all but the reference's) to draw over the area, bottom first, without
     * those hidden under others or under the reference's.
     */
    std::vector<QRect> hollowShownIn(const QRect& area) const;

private:
    std::vector<QRect> rects_;
    bool firstIsReference_ = false;
};

/** Lines across the window where edges or centres line up. */
class GuideMarks : public CanvasMark {
public:
    GuideMarks();
    void show(std::vector<QLine> lines);
    bool isShown() const { return !lines_.empty(); }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

private:
    std::vector<QLine> lines_;
};

/** A small box by the pointer with the numbers a gesture will give. */
class ReadoutMark : public CanvasMark {
public:
    ReadoutMark();
    void show(const QString& text, QPoint pointer);
    void hideText();
    bool isShown() const { return !text_.isEmpty(); }
    QString text() const { return text_; }

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

private:
    QString text_;
    QRect box_;
};

} // namespace vap::ui
