#pragma once

#include <QDialog>

class QLabel;

namespace vap::ui {

/** The splash window: the product name and version over a picture, until the user closes it. */
class TF_Splash : public QDialog {
    Q_OBJECT

public:
    explicit TF_Splash(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* labTitulo;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
};

} // namespace vap::ui
