#include "controllook.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace vap::ui {

namespace {

const QColor bevelLight{255, 255, 255};
const QColor bevelShadow{128, 128, 128};

QColor systemWindowColor() {
    return QApplication::palette().color(QPalette::Base);
}
QColor systemWindowText() {
    return QApplication::palette().color(QPalette::Text);
}

/** Draws `width` one-pixel frames, shrinking the rectangle after each. */
void frame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight,
             int width) {
    for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
        painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), topLeft);
        painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), topLeft);
        painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), bottomRight);
        painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), bottomRight);
        rect.adjust(1, 1, -1, -1);
    }
}

void bevel(QPainter& painter, QRect& rect, Bevel kind, int width) {
    if (kind == Bevel::Raised)
        frame3D(painter, rect, bevelLight, bevelShadow, width);
    else if (kind == Bevel::Lowered)
        frame3D(painter, rect, bevelShadow, bevelLight, width);
}

} // namespace

ControlLook lookOf(ControlKind kind) {
    ControlLook look;
    look.fontColor = systemWindowText();
    switch (kind) {
    case ControlKind::Label:
        look.color = designGrey;
        look.fontColor = QColor(96, 103, 159);
        look.bold = true;
        break;
    case ControlKind::TextField:
    case ControlKind::PasswordField:
        look.color = systemWindowColor();
        look.alignment = Qt::AlignLeft;
        look.inner = Bevel::Raised;
        look.outer = Bevel::Lowered;
        break;
    case ControlKind::Button:
        look.color = designGrey;
        look.bold = true;
        look.inner = Bevel::Raised;
        look.outer = Bevel::Lowered;
        break;
    case ControlKind::List:
        look.color = systemWindowColor();
        look.inner = Bevel::Lowered;
        look.bevelWidth = 2;
        break;
    case ControlKind::ComboBox:
        look.color = designGrey;
        look.inner = Bevel::Raised;
        look.outer = Bevel::Lowered;
        break;
    }
    return look;
}

QFont controlFont(const ControlLook& look) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    font.setBold(look.bold);
    return font;
}

void paintPanel(QPainter& painter, const QRect& rect, const ControlLook& look,
                const QString& caption) {
    QRect inside = rect;
    bevel(painter, inside, look.outer, look.bevelWidth);
    bevel(painter, inside, look.inner, look.bevelWidth);
    if (inside.width() <= 0 || inside.height() <= 0)
        return;
    painter.fillRect(inside, look.color);
    if (caption.isEmpty())
        return;
    painter.save();
    painter.setClipRect(inside, Qt::IntersectClip); // within what the painter may already touch
    painter.setFont(controlFont(look));
    painter.setPen(look.fontColor);
    painter.drawText(
        inside, static_cast<int>(look.alignment | Qt::AlignVCenter | Qt::TextSingleLine), caption);
    painter.restore();
}

QRect shownRect(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
    auto edge = [](std::int64_t at) {
        return static_cast<int>(
            std::clamp<std::int64_t>(at, -shownCoordinateLimit, shownCoordinateLimit));
    };
    int x = edge(left);
    int y = edge(top);
    return QRect(x, y, edge(left + std::max<std::int64_t>(0, width)) - x,
                 edge(top + std::max<std::int64_t>(0, height)) - y);
}

int arrowMiddleRow(int height) {
    return static_cast<int>(std::nearbyint(height / 2.0));
}

void paintComboArrow(QPainter& painter, int width, int height) {
    int middle = arrowMiddleRow(height);
    for (int i = 0; i < 4; ++i) {
        // The row runs from Width - 10 - i down to Width - 18 + i, that last point not drawn.
        int first = width - 17 + i;
        int last = width - 10 - i;
        painter.fillRect(QRect(first, middle - 1 + i, last - first + 1, 1), Qt::black);
    }
}

} // namespace vap::ui
