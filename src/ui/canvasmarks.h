#pragma once

#include <QGraphicsItem>
#include <QLine>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

namespace vap::ui {

/**
 * What the canvas draws over the controls and never into them: the outlines of a gesture, the
 * selection's handles, the guides and the readout. Each is one scene item above the controls,
 * which the view paints from its cached background, so moving one repaints no control.
 */
class OutlineMarks : public QGraphicsItem {
public:
    OutlineMarks();
    /** Shows an outline around each rectangle; none hides them. */
    void show(std::vector<QRect> rects);
    bool isShown() const { return !rects_.empty(); }
    const std::vector<QRect>& rects() const { return rects_; }

    QRectF boundingRect() const override { return bounds_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

private:
    std::vector<QRect> rects_;
    QRectF bounds_;
};

/** The handles of the selected controls: small squares at the corners and the edges' middles. */
class HandleMarks : public QGraphicsItem {
public:
    static constexpr int handleSize = 6;
    /** The places of a rectangle's handles, clockwise from the top-left corner. */
    static std::array<QRect, 8> handlesOf(const QRect& rect);

    /** The rectangles to mark, asked for when painting. */
    explicit HandleMarks(std::function<std::vector<QRect>(const QRectF& area)> marked);
    /** The marked rectangles have changed; `bounds` holds all of them. */
    void refresh(const QRect& bounds);

    QRectF boundingRect() const override { return bounds_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

private:
    std::function<std::vector<QRect>(const QRectF& area)> marked_;
    QRectF bounds_;
};

/** Lines across the window where edges or centres line up. */
class GuideMarks : public QGraphicsItem {
public:
    GuideMarks();
    void show(std::vector<QLine> lines);
    bool isShown() const { return !lines_.empty(); }

    QRectF boundingRect() const override { return bounds_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

private:
    std::vector<QLine> lines_;
    QRectF bounds_;
};

/** A small box by the pointer with the numbers a gesture will give. */
class ReadoutMark : public QGraphicsItem {
public:
    ReadoutMark();
    void show(const QString& text, QPoint pointer);
    void hideText();
    bool isShown() const { return !text_.isEmpty(); }
    QString text() const { return text_; }

    QRectF boundingRect() const override { return box_; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

private:
    QString text_;
    QRectF box_;
};

} // namespace vap::ui
