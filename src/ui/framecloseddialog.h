#pragma once

#include <QDialog>
#include <QKeyEvent>

namespace vap::ui {

/**
 * A modal window that only its close box, its system menu or its own buttons close: Escape,
 * which closes an ordinary dialog, does nothing here.
 */
class FrameClosedDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
    }
};

} // namespace vap::ui
