#pragma once

#include "framecloseddialog.h"

class QLabel;
class QPushButton;

namespace vap::ui {

/** The about window: the author's picture, name, e-mail and sites, and a close button. */
class TF_Sobre : public FrameClosedDialog {
    Q_OBJECT

public:
    explicit TF_Sobre(QWidget* parent = nullptr);

    void btSairClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* lbSite;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QPushButton* btSair;
    void FormShow();
};

} // namespace vap::ui
