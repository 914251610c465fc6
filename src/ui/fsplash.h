#pragma once

#include "framecloseddialog.h"

class QLabel;

namespace vap::ui {

/** The splash window: the product name and version over a picture, until the user closes it. */
class TF_Splash : public FrameClosedDialog {
    Q_OBJECT

public:
    explicit TF_Splash(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Image1;
    QLabel* labTitulo;
    void FormShow();
};

} // namespace vap::ui
