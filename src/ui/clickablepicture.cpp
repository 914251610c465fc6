#include "clickablepicture.h"

#include <QMouseEvent>

namespace vap::ui {

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace vap::ui
