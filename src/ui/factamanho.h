#pragma once

#include "adjusterport.h"

#include "core/model/designobserver.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>

#include <cstdint>
#include <string>

class QComboBox;
class QListWidget;
class QTabWidget;

namespace vap {
class Control;
class Design;
} // namespace vap

namespace vap::ui {

class DesignDocument;
class PropertyGrid;

/**
 * The object inspector: edits one control's bounds, caption, name, hint and events. It keeps no
 * copy of a control's values: it knows which control its list selects, reads that control in the
 * design at every step, and follows the design through its notifications like every other
 * window, renames by undo and redo included.
 */
class TF_AcTamanho : public QDialog, public AdjusterPort, public DesignObserver {
    Q_OBJECT

public:
    explicit TF_AcTamanho(DesignDocument& document, QWidget* parent = nullptr);
    ~TF_AcTamanho() override;

    /** The name the shown control was last loaded under, and the name last read from the grid. */
    const std::string& nomeAtual() const { return nomeAtual_; }
    const std::string& nomeNovo() const { return nomeNovo_; }

    // AdjusterPort
    void selectName(const std::string& name) override;
    void showInspector() override;
    void cbObjetoChange() override;
    void repaintNow() override;
    void closeInspector() override;
    bool isOpen() const override { return isVisible(); }
    void setShownControlListener(std::function<void(const std::string&)> listener) override {
        shownControlListener_ = std::move(listener);
    }

    void lsEventoClick();
    /** A cell's text changed while edited: every value but the name goes to the control. */
    void strPropriedadeSetEditText(int row, const QString& text);
    /** Renames the shown control to the Name cell's text; a refused name throws. */
    void AplicaNome();

    /** The value column's text of a row, as the grid shows it (the open editor included). */
    QString cellText(int row) const;

    // DesignObserver
    void controlChanged(const Control& control, ControlField field) override;
    void controlRemoved(const Control& control) override;
    void designCleared() override;
    void objectListChanged() override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormShow();
    void fillObjectList();
    bool insertOneName();
    void writeCell(int row, const QString& text);
    void showValues(const Control& control);
    void showEvents(const Control& control);
    const Control* selectedControl() const;
    void followRename(const Control& control);
    /** Puts back the control's caption or hint when the row's text is too long for Java. */
    void refuseTooLongText(const Control& control, int row);
    /** Puts back the control's caption or hint when a design file cannot hold the row's text. */
    void refuseUnstorableText(const Control& control, int row);
    void cancelNameEdit();
    void requestNameConfirmation();
    void confirmName();
    void focusChanged(QWidget* old, QWidget* now);

    Design& design_;
    DesignDocument& document_;
    QComboBox* cbObjeto;
    QTabWidget* PageControl1;
    QWidget* tbPropriedade;
    QWidget* tbEvento;
    PropertyGrid* strPropriedade;
    QListWidget* lsEvento;
    std::string nomeAtual_;
    // The control the list selects, whatever its name; the design tells before it goes.
    const Control* selected_ = nullptr;
    std::function<void(const std::string&)> shownControlListener_;
    std::string nomeNovo_;
    bool refreshing_ = false;
    bool listDirty_ = true;
    bool confirmationPending_ = false;
    bool keepingName_ = false;   // the Name cell holds a refused name the user is to correct
    QPointer<QLineEdit> editor_; // the open cell editor, while there is one
    int editorRow_ = -1;
    int editSession_ = 0; // counts the cell editors opened

    friend class LiveEditDelegate;
};

} // namespace vap::ui
