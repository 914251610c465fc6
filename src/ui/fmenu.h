#pragma once

#include "designcanvas.h"

#include "core/lang/languagecode.h"
#include "core/lang/steptexts.h"
#include "core/model/arrange.h"
#include "core/model/designobserver.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <span>
#include <vector>

class QAction;
class QKeySequence;
class QMenu;

namespace vap {
class Control;
class Design;
class DesignFile;
} // namespace vap

namespace vap::ui {

class AdjusterPort;
class DesignDocument;
class JavaPreview;
class TF_CriaObjeto;

/**
 * The main window, which is also the window being designed: its caption, outer bounds and the
 * controls on it show the design. It mirrors the design through its notifications and changes it
 * only through the design's operations. Every command is on one of its two pop-up menus.
 */
class TF_Menu : public QWidget, public DesignObserver {
    Q_OBJECT

public:
    explicit TF_Menu(DesignDocument& document, QWidget* parent = nullptr);
    ~TF_Menu() override;

    Design& design() { return design_; }
    /** The design with its history, and whether it holds changes no file has. */
    DesignDocument& document() { return document_; }

    /** The palette and the inspector, made after this window. */
    void attachPalette(TF_CriaObjeto* palette) { palette_ = palette; }
    void attachInspector(AdjusterPort* inspector);
    /** The preview that See it in Java runs; without one the command does nothing. */
    void attachPreview(JavaPreview* preview) { preview_ = preview; }

    /** Runs when the window is first shown; the language setting comes through this reader. */
    void setLanguageReader(std::function<LanguageCode()> reader) {
        readLanguage_ = std::move(reader);
    }
    /** Runs after a confirmed exit, before the window closes; it may throw to stop the close. */
    void setExitWriter(std::function<void()> writer) { writeOnExit_ = std::move(writer); }

    /** True while the inspector is open: opened by Adjust object and not closed since. */
    bool InspectorOpen() const;

    /** The client area, which draws the controls and runs the gestures on them. */
    DesignCanvas& canvas() { return *canvas_; }
    const DesignCanvas& canvas() const { return *canvas_; }
    /** Opens the control menu for a control, as a right click on it does. */
    void openControlMenu(const Control* control, QPoint globalPosition);
    /** The control the control menu was last opened for, while it exists. */
    const Control* menuTarget() const { return menuTarget_; }
    /** Whether anything of a gesture shows, and whether a gesture is in progress. */
    bool outlineShown() const { return canvas_->gestureMarksShown(); }
    bool dragInProgress() const { return canvas_->gestureInProgress(); }
    /** Places the window, frame included, in the middle of its screen. */
    void centreOnScreen();
    /** Puts the current language's texts on the menus (after AplicaLingua). */
    void applyLanguageTexts();
    /** Sets the caption and the version entry from the language, as start-up does. */
    void composeCaptions();

    /**
     * Opens a design file as the Open command does once a file is chosen; throws vap::Error
     * with the message for the error box, leaving the design as it was, when the file is bad.
     */
    void openDesignFile(const QString& path);
    /** The same for a file already read and checked. */
    void openDesignFile(DesignFile file);

    void FormShow();
    bool FormClose();
    void opc1Click();
    void opc2Click();
    void opc31Click();
    void opc32Click();
    void opc4Click();
    void opc51Click();
    void opc52Click();
    void opc53Click();
    void opc6Click();
    void opc7Click();
    void opc8Click();
    void opcSairClick();
    void CriadorClick();
    void VersaoClick();
    void obj1Click();
    void obj2Click();
    void ObjetoDblClick(const Control* sender);

    // Commands on the selection, reached by keys and by the menus' edit entries.
    void selectAllControls();
    /** Escape: ends a gesture in progress, else clears the selection. */
    void cancelOrDeselect();
    void nudgeSelection(int dx, int dy);
    void resizeSelection(int dw, int dh);
    void deleteSelection();
    void arrangeSelection(Arrangement arrangement);
    void copySelection();
    void cutSelection();
    void pasteClipboard();
    void duplicateSelection();
    /** The Menu key: the control menu at the selection, else the main menu. */
    void openMenuByKey();

    /** The type under which the clipboard holds controls as design-file records. */
    static QString controlsMimeType();

    // DesignObserver
    void controlRemoved(const Control& control) override;
    void windowChanged(WindowField field) override;
    void designCleared() override;

signals:
    /** The window has been painted for the first time. */
    void firstPainted();
    /** The first showing is over, its splash closed: the window is the user's. */
    void startupFinished();
    /** The design is now the content of a file: it was just saved, or opened by Open. */
    void designMatchesFile();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildEditEntries();
    void buildHistoryEntries();
    /** The edit entries' captions in the language (the designed ones for none), with keys. */
    void showEditEntryTexts(std::optional<Language> language);
    static bool clipboardHoldsControls();
    void showPasteState();
    void showArrangeState();
    void addKey(const QKeySequence& key, const std::function<void()>& command);
    void showSelectionInInspector();
    /** Gives the selection the bounds the function makes of theirs, as one step. */
    void
    reshapeSelection(Step step,
                     const std::function<std::vector<Bounds>(std::span<const Bounds>)>& reshape);
    /** The selected controls in creation order, as they are copied and deleted. */
    std::vector<const Control*> selectionInCreationOrder() const;
    QAction* addEntry(QMenu* menu, const char* name, const QIcon& icon, void (TF_Menu::*handler)());
    QAction* addSeparator(QMenu* menu, const char* name);
    void closeInspectorIfOpen();
    void applyWindowBounds();
    void showCaption();
    static void showMark(QAction* entry, const QIcon& picture, bool checked);
    void recordWindowBounds(bool fromWindowSystem);
    QRect shownOuterBounds() const;
    void noteFirstPaint();

    Design& design_;
    DesignDocument& document_;

    QMenu* popMnu;
    QMenu* popObj;
    QAction* opc1;
    QAction* N1;
    QAction* opc2;
    QAction* opc3;
    QAction* opc31;
    QAction* opc32;
    QAction* opc4;
    QAction* N2;
    QAction* opc5;
    QAction* opc51;
    QAction* opc52;
    QAction* opc53;
    QAction* opc6;
    QAction* opc7;
    QAction* opc8;
    QAction* N3;
    QAction* Criador;
    QAction* Versao;
    QAction* N4;
    QAction* opcSair;
    QAction* obj1;
    QAction* obj2;
    DesignCanvas* canvas_;
    QMenu* arrangeMenu_ = nullptr;
    /** The clipboard's records last pasted, known by their size and hash, and how many times. */
    struct PastedText {
        std::size_t size = 0;
        std::size_t hash = 0;
        bool operator==(const PastedText&) const = default;
    };
    PastedText lastPasted_;
    int pastedInARow_ = 0;
    const Control* menuTarget_ = nullptr;
    TF_CriaObjeto* palette_ = nullptr;
    AdjusterPort* inspector_ = nullptr;
    JavaPreview* preview_ = nullptr;
    std::function<LanguageCode()> readLanguage_;
    std::function<void()> writeOnExit_;
    bool shownOnce_ = false;
    bool paintedOnce_ = false;
    bool applyingBounds_ = false;
    QElapsedTimer boundsApplied_; // since the window was last told its bounds
    QSize frameExtra_;
    Qt::WindowStates statesSeen_; // at the last move or resize, to tell a restore by the user
    /** The outer bounds last given to the window; moves and resizes away from them are the user's.
     */
    QRect shownOuter_;
};

} // namespace vap::ui
