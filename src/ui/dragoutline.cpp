#include "dragoutline.h"

#include <QPainter>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace vap::ui {

namespace {

/** One edge of the outline, drawn as alternating dark and light pixels. */
class OutlineEdge : public QWidget {
public:
    OutlineEdge()
        : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                               Qt::X11BypassWindowManagerHint) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setObjectName(QStringLiteral("dragOutlineEdge"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
    }
};

} // namespace

DragOutline::DragOutline(QWidget* surface) : surface_(surface) {
    for (QWidget*& edge : edges_)
        edge = new OutlineEdge;
}

DragOutline::~DragOutline() {
    for (QWidget* edge : edges_)
        delete edge;
}

void DragOutline::draw(const QWidget* dragger, const QRect& rect) {
    dragger_ = dragger;
    if (rect.width() <= 0 || rect.height() <= 0) {
        for (QWidget* edge : edges_)
            edge->hide();
        return;
    }
    QPoint origin = surface_->mapToGlobal(rect.topLeft());
    int w = rect.width();
    int h = rect.height();
    const std::array<QRect, 4> places{
        QRect(origin.x(), origin.y(), w, 1), QRect(origin.x(), origin.y() + h - 1, w, 1),
        QRect(origin.x(), origin.y(), 1, h), QRect(origin.x() + w - 1, origin.y(), 1, h)};
    // Each edge is a window of its own: only the part on the desktop becomes one, so a huge
    // control never makes a huge window.
    QScreen* screen = surface_->screen();
    QRect desktop = screen ? screen->virtualGeometry() : QRect();
    for (std::size_t i = 0; i < edges_.size(); ++i) {
        QRect shown = desktop.isValid() ? places[i] & desktop : places[i];
        if (shown.isEmpty()) {
            edges_[i]->hide();
            continue;
        }
        edges_[i]->setGeometry(shown);
        if (!edges_[i]->isVisible())
            edges_[i]->show();
    }
}

void DragOutline::erase() {
    dragger_ = nullptr;
    for (QWidget* edge : edges_)
        edge->hide();
}

bool DragOutline::isShown() const {
    return std::any_of(edges_.begin(), edges_.end(),
                       [](QWidget* edge) { return edge->isVisible(); });
}

} // namespace vap::ui
