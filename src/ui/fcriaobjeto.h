#pragma once

#include "core/model/controlkind.h"

#include <QWidget>

#include <array>

class QToolButton;

namespace vap {
class Design;
}

namespace vap::ui {

class DesignDocument;

/** The palette: a small tool window with one button per control kind. */
class TF_CriaObjeto : public QWidget {
    Q_OBJECT

public:
    TF_CriaObjeto(DesignDocument& document, QWidget* parent = nullptr);

    /** Makes one control of the kind, named and listed, as a click on its button does. */
    void create(ControlKind kind);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QToolButton* JLb;
    QToolButton* JTF;
    QToolButton* JPF;
    QToolButton* JB;
    QToolButton* JLi;
    QToolButton* JCb;
    void FormShow();

    DesignDocument& document_;
};

} // namespace vap::ui
