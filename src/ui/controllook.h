#pragma once

#include "core/model/controlkind.h"

#include <QColor>
#include <QFont>
#include <QString>

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

/** Half the height rounded to the nearest integer, ties to even: the arrow's middle row. */
int arrowMiddleRow(int height);

} // namespace vap::ui
