#pragma once

#include "adjusterport.h"

#include <QDialog>
#include <QLineEdit>
#include <QPointer>

#include <functional>
#include <string>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTableWidget;

namespace vap {
class Control;
class Design;
} // namespace vap

namespace vap::ui {

/**
 * The object inspector: edits one control's bounds, caption, name, hint and events. It keeps no
 * copy of a control: every step finds the control by the selected name in the design.
 */
class TF_AcTamanho : public QDialog, public AdjusterPort {
    Q_OBJECT

public:
    explicit TF_AcTamanho(Design& design, QWidget* parent = nullptr);
    ~TF_AcTamanho() override;

    /** Called when the inspector closes, so that the main window clears its InspectorOpen. */
    void setOnClose(std::function<void()> onClose) { onClose_ = std::move(onClose); }

    QComboBox* cbObjeto;
    QTabWidget* PageControl1;
    QWidget* tbPropriedade;
    QWidget* tbEvento;
    QTableWidget* strPropriedade;
    QListWidget* lsEvento;

    /** The name the shown control was last loaded under, and the name last read from the grid. */
    const std::string& nomeAtual() const { return nomeAtual_; }
    const std::string& nomeNovo() const { return nomeNovo_; }

    // AdjusterPort
    void selectName(const std::string& name) override;
    void showInspector() override;
    void cbObjetoChange() override;
    void repaintNow() override;
    void closeInspector() override;
    void objectListChanged() override;

    void lsEventoClick();
    /** A cell's text changed while edited: every value but the name goes to the control. */
    void strPropriedadeSetEditText(int row, const QString& text);
    void AplicaNome();

    /** The value column's text of a row, as the grid shows it (the open editor included). */
    QString cellText(int row) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void fillObjectList();
    bool insertOneName();
    void writeCell(int row, const QString& text);
    Control* selectedControl() const;
    void applyNameFromCellChange(int row, int column, int previousRow, int previousColumn);
    void focusChanged(QWidget* old, QWidget* now);

    Design& design_;
    std::function<void()> onClose_;
    std::string nomeAtual_;
    std::string nomeNovo_;
    bool refreshing_ = false;
    bool listDirty_ = true;
    bool movingBack_ = false;
    QPointer<QLineEdit> editor_; // the open cell editor, while there is one
    int editorRow_ = -1;

    friend class LiveEditDelegate;
};

} // namespace vap::ui
