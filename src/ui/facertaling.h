#pragma once

#include "core/lang/languagecode.h"

#include <QDialog>

class QLabel;
class QToolButton;

namespace vap::ui {

class ClickablePicture;

/**
 * The language chooser. A click on a flag switches the language code at once and relabels the
 * chooser; OK also applies the language to the main window's texts. Closing it by its close box
 * leaves the main window's texts as they were.
 */
class TF_AcertaLing : public QDialog {
    Q_OBJECT

public:
    explicit TF_AcertaLing(QWidget* parent = nullptr);

    void imgPortClick();
    void imgIngClick();
    void imgEspClick();
    void btOKClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* LabEscolha;
    ClickablePicture* imgPort;
    ClickablePicture* imgIng;
    ClickablePicture* imgEsp;
    QLabel* labPor;
    QLabel* LabIng;
    QLabel* labEsp;
    QToolButton* btOK;
    void FormShow();
    void chooseLanguage(Language language);
};

} // namespace vap::ui
