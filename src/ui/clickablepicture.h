#pragma once

#include <QLabel>

namespace vap::ui {

/** A picture that reports a click; the labels beside such pictures do not react. */
class ClickablePicture : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace vap::ui
