#include "factamanho.h"

#include "applanguage.h"
#include "controllook.h"
#include "designdocument.h"
#include "errorbox.h"
#include "pictures.h"
#include "propertyrows.h"

#include "core/codegen/javalimits.h"
#include "core/codegen/javasyntax.h"
#include "core/files/storabletext.h"
#include "core/model/design.h"
#include "core/model/error.h"
#include "core/model/eventmask.h"
#include "core/model/naming.h"
#include "core/model/valorinteiro.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

namespace vap::ui {

namespace {

constexpr Texts3 captionText{"Ajusta Objeto", "Adjusts Object", "Ajusta Objeto"};
constexpr Texts3 propertiesTab{"Propriedades", "Properties", "Propriedades"};
constexpr Texts3 eventsTab{"Eventos", "Events", "Eventos"};
constexpr std::array<Texts3, RowCount> rowLabels{{{"Esquerda", "Left", "Izquierda"},
                                                  {"Topo", "Top", "Cima"},
                                                  {"Largura", "Width", "Anchura"},
                                                  {"Altura", "Height", "Altura"},
                                                  {"Legenda", "Caption", "Subtítulo"},
                                                  {"Nome", "Name", "Nombre"},
                                                  {"Sugestão", "Hint", "Indirecta"}}};
// By item: key pressed, mouse clicked, action performed, focus gained, focus lost.
constexpr std::array<Texts3, javaEventCount> eventTexts{
    {{"Ao Pressionar", "Key Pressed", "Llave Apretó"},
     {"Ao Clicar", "Mouse Clicked", "Pulsado el botón"},
     {"Ao Acionar", "Action Performed", "Acción Realizó"},
     {"Ao Ganhar Foco", "Focus Gained", "Enfoque Ganó"},
     {"Ao Perder Foco", "Focus Lost", "Enfoque Perdió"}}};

constexpr Texts3 noListenerTip{
    "O %1 do Java não tem evento de ação (ActionListener): nenhum código é gerado para ele",
    "A Java %1 has no action event (ActionListener): no code is generated for it",
    "El %1 de Java no tiene evento de acción (ActionListener): no se genera código para él"};

constexpr Texts3 noControlText{"Nenhum objeto está escolhido na lista: a alteração não foi feita",
                               "No object is chosen in the list: the change was not made",
                               "No hay ningún objeto elegido en la lista: el cambio no se hizo"};

/** The refusal of an edit while the inspector shows no control. */
[[noreturn]] void refuseWithoutControl() {
    throw Error(std::string(noControlText.pick(Lingua()).value_or(noControlText.en)));
}

/** The grid row that shows a field of the control, if one does. */
std::optional<int> rowOf(ControlField field) {
    switch (field) {
    case ControlField::Left:
        return RowLeft;
    case ControlField::Top:
        return RowTop;
    case ControlField::Width:
        return RowWidth;
    case ControlField::Height:
        return RowHeight;
    case ControlField::Caption:
        return RowCaption;
    case ControlField::Name:
        return RowName;
    case ControlField::Hint:
        return RowHint;
    case ControlField::ShowHint:
    case ControlField::Tag:
        break;
    }
    return std::nullopt;
}

/** The value column's text of a row for the control, as a refresh writes it. */
QString valueText(const Control& control, int row) {
    switch (row) {
    case RowLeft:
        return QString::number(control.left());
    case RowTop:
        return QString::number(control.top());
    case RowWidth:
        return QString::number(control.width());
    case RowHeight:
        return QString::number(control.height());
    case RowCaption:
        return qs(control.caption());
    case RowName:
        return qs(control.name());
    default:
        return qs(control.hint());
    }
}

/** The most characters a cell shows: far more than its width holds, and cheap to lay out. */
constexpr qsizetype shownCharacters = 500;

bool isWithin(const QWidget* widget, const QWidget* container) {
    return widget && (widget == container || container->isAncestorOf(widget));
}

} // namespace

/**
 * The property grid. Typed keys belong to the cells: the view's type-ahead search would move the
 * current cell to another row and send the keys there. Enter outside a cell editor confirms a
 * name.
 */
class PropertyGrid : public QTableWidget {
public:
    PropertyGrid(int rows, int columns, QWidget* parent) : QTableWidget(rows, columns, parent) {}
    std::function<void()> onEnter;

    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            state() != EditingState) {
            event->accept();
            if (onEnter)
                onEnter();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override {
        // The label column is fixed: a click there gives the grid the focus and nothing else.
        if (columnAt(event->position().toPoint().x()) == 0) {
            setFocus(Qt::MouseFocusReason);
            event->accept();
            return;
        }
        QTableWidget::mousePressEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        QTableWidget::mouseReleaseEvent(event);
        // A click on the current cell edits it at once. The view's own way waits to see whether
        // a double click follows, and the keys typed meanwhile went to a search of the rows.
        QModelIndex clicked = indexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && clicked.isValid() && clicked == currentIndex() &&
            (clicked.flags() & Qt::ItemIsEditable) && state() != EditingState)
            edit(clicked);
    }
};

/**
 * The object list. A wheel turn while a typed name waits for its confirmation leaves the list as
 * it is: the name is confirmed first, as when the user leaves the cell any other way.
 */
class ObjectList : public QComboBox {
public:
    using QComboBox::QComboBox;
    /** Confirms a typed name that waits; true when there was one. */
    std::function<bool()> confirmWaitingName;

protected:
    void wheelEvent(QWheelEvent* event) override {
        if (confirmWaitingName && confirmWaitingName()) {
            event->accept();
            return;
        }
        QComboBox::wheelEvent(event);
    }
};

/**
 * A value cell's editor. While it is open, the undo and redo keys undo and redo its own typing,
 * which reaches the control as any keystroke does; left to the window, they would undo or redo
 * a step of the design under the open editor.
 */
class CellEditor : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return QLineEdit::event(event);
        QKeyCombination key = static_cast<QKeyEvent*>(event)->keyCombination();
        bool undoKey = key == (Qt::CTRL | Qt::Key_Z);
        bool redoKey = key == (Qt::CTRL | Qt::Key_Y) || key == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        if (!undoKey && !redoKey)
            return QLineEdit::event(event);
        if (event->type() == QEvent::KeyPress)
            undoKey ? undo() : redo();
        event->accept(); // an accepted override brings the key here instead of to the shortcuts
        return true;
    }
};

/** The value cells' editor: every keystroke reaches the inspector; a commit confirms a name. */
class LiveEditDelegate : public QStyledItemDelegate {
public:
    explicit LiveEditDelegate(TF_AcTamanho& inspector)
        : QStyledItemDelegate(&inspector), inspector_(inspector) {
        connect(this, &QAbstractItemDelegate::closeEditor, &inspector,
                [this](QWidget*, EndEditHint hint) {
                    if (hint == RevertModelCache)
                        inspector_.cancelNameEdit();
                });
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new CellEditor(parent);
        editor->setFrame(false);
        editor->setMaxLength(std::numeric_limits<int>::max()); // never cut a long text short
        int row = index.row();
        inspector_.editor_ = editor;
        ++inspector_.editSession_;
        inspector_.editorRow_ = row;
        connect(editor, &QLineEdit::textEdited, &inspector_, [this, row](const QString& text) {
            runCommand([&] { inspector_.strPropriedadeSetEditText(row, text); });
        });
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        // Each keystroke's text goes into the cell too; written back into the editor, it would
        // wipe out the editor's own undo history.
        if (static_cast<QLineEdit*>(editor)->text() != index.data(Qt::EditRole).toString())
            QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        auto* line = static_cast<QLineEdit*>(editor);
        // An untouched cell has nothing to give: each keystroke gave the control its text.
        if (line->isModified()) {
            QStyledItemDelegate::setModelData(editor, model, index);
            runCommand([&] { inspector_.strPropriedadeSetEditText(index.row(), line->text()); });
        }
        // Enter, a click on another cell and leaving the grid all end here.
        inspector_.requestNameConfirmation();
    }

    QString displayText(const QVariant& value, const QLocale& locale) const override {
        // Laying out a whole long text for a cell that shows a few dozen characters would cost
        // every repaint of the grid as much as the text is long.
        return QStyledItemDelegate::displayText(value.toString().left(shownCharacters), locale);
    }

private:
    TF_AcTamanho& inspector_;
};

TF_AcTamanho::TF_AcTamanho(DesignDocument& document, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      design_(document.design()), document_(document) {
    setObjectName(QStringLiteral("F_AcTamanho"));
    setWindowTitle(QStringLiteral("Ajusta Objeto"));
    setModal(false);
    setFixedSize(227, 236);
    QFont small = font();
    small.setPixelSize(11); // the grid's label column is 62 pixels wide
    setFont(small);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, designGrey);
    setPalette(grey);
    setAutoFillBackground(true);

    auto* objectList = new ObjectList(this);
    objectList->confirmWaitingName = [this] {
        if (!confirmationPending_ &&
            !(editor_ && editorRow_ == RowName && editor_->text() != qs(nomeAtual_)))
            return false;
        // Leaving the cell for the list: its editor closes and the name is confirmed.
        cbObjeto->setFocus(Qt::MouseFocusReason);
        requestNameConfirmation();
        return true;
    };
    cbObjeto = objectList;
    cbObjeto->setObjectName(QStringLiteral("cbObjeto"));
    cbObjeto->setGeometry(3, 6, 221, 21);
    cbObjeto->setEditable(false);
    connect(cbObjeto, &QComboBox::activated, this,
            [this] { runCommand([this] { cbObjetoChange(); }); });

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 37, 227, 191);
    PageControl1->setDocumentMode(true);
    tbPropriedade = new QWidget;
    tbPropriedade->setObjectName(QStringLiteral("tbPropriedade"));
    tbEvento = new QWidget;
    tbEvento->setObjectName(QStringLiteral("tbEvento"));
    PageControl1->addTab(tbPropriedade, objectMenuPicture(1), QStringLiteral("Propriedades"));
    PageControl1->addTab(tbEvento, objectMenuPicture(0), QStringLiteral("Eventos"));

    strPropriedade = new PropertyGrid(RowCount, 2, tbPropriedade);
    strPropriedade->setObjectName(QStringLiteral("strPropriedade"));
    strPropriedade->setGeometry(0, 2, 218, 154);
    strPropriedade->setFrameShape(QFrame::NoFrame);
    strPropriedade->horizontalHeader()->hide();
    strPropriedade->verticalHeader()->hide();
    strPropriedade->setColumnWidth(0, inspectorLabelWidth);
    strPropriedade->setColumnWidth(1, inspectorValueWidth);
    strPropriedade->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    strPropriedade->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    strPropriedade->setSelectionMode(QAbstractItemView::SingleSelection);
    strPropriedade->setEditTriggers(QAbstractItemView::CurrentChanged |
                                    QAbstractItemView::EditKeyPressed |
                                    QAbstractItemView::AnyKeyPressed);
    strPropriedade->setItemDelegateForColumn(1, new LiveEditDelegate(*this));
    for (int row = 0; row < RowCount; ++row) {
        strPropriedade->setRowHeight(row, inspectorRowHeight);
        auto* label = new QTableWidgetItem;
        label->setFlags(Qt::ItemIsEnabled); // the fixed column: neither selected nor edited
        label->setBackground(designGrey);
        strPropriedade->setItem(row, 0, label);
        strPropriedade->setItem(row, 1, new QTableWidgetItem);
    }
    strPropriedade->onEnter = [this] { requestNameConfirmation(); };
    connect(strPropriedade, &QTableWidget::currentCellChanged, this,
            [this] { requestNameConfirmation(); });
    connect(qApp, &QApplication::focusChanged, this, &TF_AcTamanho::focusChanged);

    lsEvento = new QListWidget(tbEvento);
    lsEvento->setObjectName(QStringLiteral("lsEvento"));
    lsEvento->setGeometry(8, 32, 185, 99);
    lsEvento->setFrameShape(QFrame::StyledPanel);
    connect(lsEvento, &QListWidget::itemClicked, this,
            [this] { runCommand([this] { lsEventoClick(); }); });
    connect(lsEvento, &QListWidget::itemChanged, this, [this] {
        if (!refreshing_)
            runCommand([this] { lsEventoClick(); });
    });
    for (int item = 1; item <= static_cast<int>(javaEventCount); ++item) {
        auto* entry = new QListWidgetItem(QStringLiteral("Ao %1").arg(item), lsEvento);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        entry->setCheckState(Qt::Unchecked);
    }
    document_.addUndoKeys(this);
    design_.addObserver(this);
}

TF_AcTamanho::~TF_AcTamanho() {
    design_.removeObserver(this);
    // Hiding the dialog during its destruction moves the focus and may commit an open cell;
    // this half-destroyed inspector must hear of neither.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    if (editor_)
        disconnect(editor_, nullptr, this, nullptr);
    strPropriedade->setItemDelegateForColumn(1, nullptr);
}

// ---- showing, activation and closing

void TF_AcTamanho::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TF_AcTamanho::FormShow() {
    // A refused name is kept for correction while the inspector stays open; shown again, the
    // Name cell shows the control's name, as the other cells show its values.
    keepingName_ = false;
    if (listDirty_)
        fillObjectList();
    auto language = Lingua().language();
    if (!language)
        return; // the designed texts stay
    setWindowTitle(qs(captionText.in(*language)));
    PageControl1->setTabText(0, qs(propertiesTab.in(*language)));
    PageControl1->setTabText(1, qs(eventsTab.in(*language)));
    for (int row = 0; row < RowCount; ++row)
        strPropriedade->item(row, 0)->setText(
            qs(rowLabels[static_cast<std::size_t>(row)].in(*language)));
    refreshing_ = true;
    lsEvento->clear();
    for (const Texts3& text : eventTexts) {
        auto* entry = new QListWidgetItem(qs(text.in(*language)), lsEvento);
        entry->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        entry->setCheckState(Qt::Unchecked);
    }
    refreshing_ = false;
}

void TF_AcTamanho::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        runCommand([this] { cbObjetoChange(); });
}

void TF_AcTamanho::closeInspector() {
    if (isVisible())
        close();
}

void TF_AcTamanho::showInspector() {
    if (listDirty_)
        fillObjectList();
    show();
    raise();
    activateWindow();
}

void TF_AcTamanho::repaintNow() {
    repaint();
}

// ---- following the design

void TF_AcTamanho::controlChanged(const Control& control, ControlField field) {
    if (refreshing_ || &control != selected_)
        return;
    if (field == ControlField::Name) {
        followRename(control);
        return;
    }
    if (!isVisible())
        return;
    if (field == ControlField::Tag) {
        showEvents(control);
        return;
    }
    // The cell being typed in is left alone: its text is what the user is writing.
    std::optional<int> row = rowOf(field);
    if (row && !(editor_ && editorRow_ == *row))
        writeCell(*row, valueText(control, *row));
}

void TF_AcTamanho::followRename(const Control& control) {
    // Renamed by the Name cell, an undo or a redo, the control stays the one shown, under its
    // new name; the list selects that name once it holds it.
    nomeAtual_ = control.name();
    nomeNovo_ = control.name();
    keepingName_ = false;
    if (isVisible())
        writeCell(RowName, qs(control.name()));
}

void TF_AcTamanho::controlRemoved(const Control& control) {
    if (&control == selected_)
        selected_ = nullptr;
    closeInspector();
}

void TF_AcTamanho::designCleared() {
    selected_ = nullptr;
    closeInspector();
    keepingName_ = false;
}

// ---- the object list

void TF_AcTamanho::objectListChanged() {
    if (isVisible() && !listDirty_) {
        if (!insertOneName())
            fillObjectList();
        return;
    }
    listDirty_ = true;
}

bool TF_AcTamanho::insertOneName() {
    const auto& items = design_.objectList().items();
    if (static_cast<std::size_t>(cbObjeto->count()) + 1 != items.size())
        return false;
    // A control made from the palette adds one name: put it in at its place, keeping the rest.
    int place = 0;
    while (place < cbObjeto->count() &&
           cbObjeto->itemText(place) == qs(items[static_cast<std::size_t>(place)]->name()))
        ++place;
    QSignalBlocker blocker(cbObjeto);
    cbObjeto->insertItem(place, qs(items[static_cast<std::size_t>(place)]->name()));
    for (int i = place + 1; i < cbObjeto->count(); ++i) {
        if (cbObjeto->itemText(i) != qs(items[static_cast<std::size_t>(i)]->name()))
            return false; // not a single insertion after all
    }
    return true;
}

void TF_AcTamanho::fillObjectList() {
    QStringList names;
    names.reserve(static_cast<qsizetype>(design_.objectList().size()));
    for (const Control* control : design_.objectList().items())
        names.append(qs(control->name()));
    QSignalBlocker blocker(cbObjeto);
    cbObjeto->clear();
    cbObjeto->addItems(names);
    listDirty_ = false;
    // The selected control keeps its place in the list under whatever name it has now.
    std::optional<std::size_t> index =
        selected_ ? design_.objectList().indexOf(selected_->name()) : std::nullopt;
    cbObjeto->setCurrentIndex(index ? static_cast<int>(*index) : -1);
}

void TF_AcTamanho::selectName(const std::string& name) {
    if (listDirty_)
        fillObjectList();
    std::optional<std::size_t> index = design_.objectList().indexOf(name);
    selected_ = index ? design_.findControl(name) : nullptr;
    cbObjeto->setCurrentIndex(index ? static_cast<int>(*index) : -1);
}

const Control* TF_AcTamanho::selectedControl() const {
    return selected_;
}

// ---- refresh

void TF_AcTamanho::writeCell(int row, const QString& text) {
    if (row == RowName && keepingName_)
        return; // the refused name stays for the user to correct
    strPropriedade->item(row, 1)->setText(text);
    if (editor_ && editorRow_ == row)
        editor_->setText(text); // the open editor shows the new text; this is not an edit
}

QString TF_AcTamanho::cellText(int row) const {
    if (editor_ && editorRow_ == row)
        return editor_->text();
    return strPropriedade->item(row, 1)->text();
}

void TF_AcTamanho::cbObjetoChange() {
    std::string selected = ss(cbObjeto->currentText());
    if (selected != nomeAtual_)
        keepingName_ = false; // another control: a refused name of the last one is dropped
    nomeNovo_ = selected;
    nomeAtual_ = selected;
    selected_ = cbObjeto->currentIndex() < 0 ? nullptr : design_.findControl(selected);
    if (!selected_)
        return;
    showValues(*selected_);
    if (shownControlListener_)
        shownControlListener_(selected_->name());
}

void TF_AcTamanho::showValues(const Control& control) {
    refreshing_ = true;
    for (int row = 0; row < RowCount; ++row)
        writeCell(row, row == RowName ? qs(nomeNovo_) : valueText(control, row));
    refreshing_ = false;
    showEvents(control);
}

void TF_AcTamanho::showEvents(const Control& control) {
    EventChoice events = decodeEventMask(control.tag());
    bool wasRefreshing = std::exchange(refreshing_, true);
    for (int item = 0; item < static_cast<int>(javaEventCount) && item < lsEvento->count(); ++item)
        lsEvento->item(item)->setCheckState(
            events.chosen[static_cast<std::size_t>(item)] ? Qt::Checked : Qt::Unchecked);
    // An event the kind's Java cannot answer is greyed, its tick (from a file) kept as it is.
    for (JavaEvent event : eventsHeaviestFirst) {
        QListWidgetItem* entry = lsEvento->item(eventItem(event));
        if (!entry)
            continue;
        bool answered = hasListenerBlock(control.kind(), event);
        entry->setFlags(answered
                            ? Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable
                            : Qt::NoItemFlags);
        entry->setToolTip(answered ? QString()
                                   : qs(noListenerTip.pick(Lingua()).value_or(noListenerTip.en))
                                         .arg(qs(kindInfo(control.kind()).javaClass)));
    }
    refreshing_ = wasRefreshing;
}

// ---- edits

void TF_AcTamanho::lsEventoClick() {
    EventChoice events;
    for (int item = 0; item < static_cast<int>(javaEventCount) && item < lsEvento->count(); ++item)
        events.chosen[static_cast<std::size_t>(item)] =
            lsEvento->item(item)->checkState() == Qt::Checked;
    const Control* control = selectedControl();
    if (!control) {
        if (events.chosen == EventChoice{}.chosen)
            return; // nothing ticked: a click beside the boxes, or the tick already taken back
        bool wasRefreshing = std::exchange(refreshing_, true);
        for (int item = 0; item < lsEvento->count(); ++item)
            lsEvento->item(item)->setCheckState(Qt::Unchecked); // no control's events to show
        refreshing_ = wasRefreshing;
        refuseWithoutControl();
    }
    document_.setControlValue(*control, ControlField::Tag, encodeEventMask(events));
}

void TF_AcTamanho::strPropriedadeSetEditText(int row, const QString& text) {
    if (refreshing_)
        return;
    const Control* control = selectedControl();
    if (!control) {
        writeCell(row, strPropriedade->item(row, 1)->text()); // as it was before the keystroke
        refuseWithoutControl();
    }
    refreshing_ = true;
    strPropriedade->item(row, 1)->setText(text);
    refreshing_ = false;
    refuseUnstorableText(*control, row);
    refuseTooLongText(*control, row);
    // Only the edited cell's field: the other cells show the control's own values, and reading
    // them all back would make each keystroke cost as much as the longest of them. The
    // keystrokes of one open editor make one step.
    static constexpr std::array<std::pair<int, ControlField>, 6> fields{{
        {RowLeft, ControlField::Left},
        {RowTop, ControlField::Top},
        {RowWidth, ControlField::Width},
        {RowHeight, ControlField::Height},
        {RowCaption, ControlField::Caption},
        {RowHint, ControlField::Hint},
    }};
    auto field = std::find_if(fields.begin(), fields.end(),
                              [row](const auto& entry) { return entry.first == row; });
    if (field == fields.end())
        return; // the name waits for its confirmation
    FieldValue value = ss(text);
    if (row != RowCaption && row != RowHint)
        value = ValorInteiro(ss(text));
    document_.setControlValue(*control, field->second, std::move(value),
                              editor_ ? editSession_ : 0);
}

void TF_AcTamanho::refuseTooLongText(const Control& control, int row) {
    if (row != RowCaption && row != RowHint)
        return;
    JavaValue what = row == RowCaption ? JavaValue::Caption : JavaValue::Hint;
    const std::string& held = row == RowCaption ? control.caption() : control.hint();
    std::string text = ss(cellText(row));
    // A list's caption is not written into the Java; shortening a text that a file brought in
    // too long is let through.
    if ((what == JavaValue::Caption && !hasJavaCaption(control.kind())) || fitsJava(what, text) ||
        text.size() < held.size())
        return;
    writeCell(row, qs(held)); // the cell shows the value the control keeps
    throw Error(tooLongForJavaMessage(what, Lingua()));
}

void TF_AcTamanho::refuseUnstorableText(const Control& control, int row) {
    if (row != RowCaption && row != RowHint)
        return;
    std::string refusal = unstorableTextMessage(ss(cellText(row)), Lingua());
    if (refusal.empty())
        return;
    writeCell(row, qs(row == RowCaption ? control.caption() : control.hint()));
    throw Error(refusal);
}

void TF_AcTamanho::AplicaNome() {
    nomeNovo_ = ss(cellText(RowName));
    if (nomeNovo_ == nomeAtual_) {
        keepingName_ = false;
        return;
    }
    const Control* control = design_.findControl(nomeAtual_);
    if (!control)
        return;
    // An unnamed control could no longer be found, and its Java would not compile.
    if (nomeNovo_.empty())
        throw Error(invalidNameMessage(nomeNovo_));
    checkFitsJava(JavaValue::Name, nomeNovo_, Lingua());
    document_.rename(*control, nomeNovo_); // the list follows through objectListChanged
    keepingName_ = false;
    selectName(nomeNovo_);
    cbObjetoChange();
    nomeAtual_ = nomeNovo_;
}

void TF_AcTamanho::cancelNameEdit() {
    // Escape in the Name cell gives up the typed name; left there, the next click on another
    // cell would have applied it after all.
    if (!editor_ || editorRow_ != RowName)
        return;
    keepingName_ = false;
    if (const Control* control = selectedControl()) {
        nomeNovo_ = control->name();
        strPropriedade->item(RowName, 1)->setText(qs(control->name()));
    }
}

// ---- confirming a name: Enter, another cell, or leaving the grid

void TF_AcTamanho::requestNameConfirmation() {
    if (confirmationPending_ || refreshing_)
        return;
    // Confirmed once the key, focus or view event that asked for it has been delivered: a
    // refused name shows a box, and the box's own event loop must not run inside that event.
    confirmationPending_ = true;
    QMetaObject::invokeMethod(this, &TF_AcTamanho::confirmName, Qt::QueuedConnection);
}

void TF_AcTamanho::confirmName() {
    runCommand([this] {
        try {
            AplicaNome();
        } catch (const std::exception&) {
            // The Name cell keeps the refused text and stays the current cell, without an
            // editor, so that the box taking the focus does not confirm it again.
            keepingName_ = true;
            refreshing_ = true;
            QSignalBlocker blocker(strPropriedade);
            auto triggers = strPropriedade->editTriggers();
            strPropriedade->setEditTriggers(QAbstractItemView::NoEditTriggers);
            strPropriedade->setCurrentCell(RowName, 1);
            strPropriedade->setEditTriggers(triggers);
            refreshing_ = false;
            confirmationPending_ = false;
            throw;
        }
    });
    confirmationPending_ = false;
}

void TF_AcTamanho::focusChanged(QWidget* old, QWidget* now) {
    // Leaving the grid for another part of the inspector confirms the name.
    if (isWithin(old, strPropriedade) && now && now->window() == this &&
        !isWithin(now, strPropriedade))
        requestNameConfirmation();
}

} // namespace vap::ui
