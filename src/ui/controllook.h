#pragma once

#include "core/model/controlkind.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

class QPainter;
class QRect;

namespace vap::ui {

enum class Bevel { None, Raised, Lowered };

/** How a kind of control is drawn: a panel with bevels, a fill colour and one line of text. */
struct ControlLook {
    QColor color;
    QColor fontColor;
    bool bold = false;
    Qt::Alignment alignment = Qt::AlignHCenter;
    Bevel inner = Bevel::None;
    Bevel outer = Bevel::None;
    int bevelWidth = 1;
};

/** The grey of the main window and of labels, buttons and combo boxes: RGB 207, 207, 207. */
inline const QColor designGrey{207, 207, 207};

ControlLook lookOf(ControlKind kind);

/** Arial, 12 pixels high, bold as the look says. */
QFont controlFont(const ControlLook& look);

/** Paints the panel: outer bevel, inner bevel, fill, then the caption clipped to the inside. */
void paintPanel(QPainter& painter, const QRect& rect, const ControlLook& look,
                const QString& caption);

/** The combo box's arrow: four black rows near the right edge, centred on half the height. */
void paintComboArrow(QPainter& painter, int width, int height);

/**
 * How far from the window's corner a control is shown: no screen reaches further, and twice it
 * is still a valid widget size, so nothing computed from a shown rectangle overflows.
 */
constexpr int shownCoordinateLimit = (1 << 23) - 1;

/**
 * The part of a control's bounds that can be shown, with no signed overflow whatever the values:
 * the edges are kept within the limit either side of the window's corner; a negative size is
 * empty.
 */
QRect shownRect(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height);

/** Half the height rounded to the nearest integer, ties to even: the arrow's middle row. */
int arrowMiddleRow(int height);

} // namespace vap::ui
