#pragma once

#include "designsteps.h"

#include "core/model/design.h"

#include <QObject>
#include <QPointer>
#include <QUndoStack>

#include <memory>
#include <vector>

class QAction;
class QWidget;

namespace vap::ui {

/**
 * The design being edited and its history. Every change a user makes goes through one of the
 * operations here as one undoable step; the windows follow the design's notifications, whoever
 * changed it. Whether the design has changes no file holds follows the history's clean state.
 */
class DesignDocument : public QObject {
    Q_OBJECT

public:
    explicit DesignDocument(QObject* parent = nullptr);
    ~DesignDocument() override;

    /**
     * The most controls the designer holds. Open refuses a file with more, and a command that
     * adds controls (paste, duplicate, the palette) refuses to go past it before anything
     * changes, so that every design the designer holds opens again once saved.
     */
    static constexpr std::size_t maxControls = 200000;

    Design& design() { return design_; }
    const Design& design() const { return design_; }
    QUndoStack& history() { return history_; }

    /** Gives the widget's window the undo and redo keys. */
    void addUndoKeys(QWidget* window);
    /**
     * Makes the menu entry undo (or redo) the step, named by the verb and the step's name with
     * the key beside them, and greyed when there is no step to take.
     */
    void addHistoryEntry(QAction* entry, bool redo, const Texts3& verb);
    /** Names the undo and redo actions in the current interface language. */
    void retranslate();
    /** Undoes or redoes a step, as the keys and the menus do: a gesture in progress ends first. */
    void undo();
    void redo();

    void createControl(ControlKind kind);
    void deleteControl(const Control& control);
    void moveControl(const Control& control, std::int32_t left, std::int32_t top);
    /**
     * Sets one value of a control; the calls with the same nonzero edit key for the same value
     * merge into one step.
     */
    void setControlValue(const Control& control, ControlField field, FieldValue value,
                         int editKey = 0);
    void rename(const Control& control, std::string name);
    void setWindowValue(WindowField field, FieldValue value);
    /** A move or resize of the window by the user; those of one gesture make one step. */
    void setWindowBounds(const std::vector<std::pair<WindowField, std::int32_t>>& bounds);
    /**
     * New bounds of several controls as one step named `step` (MoveControls, ResizeControls or
     * an arrangement's); pairs whose bounds are already those make no change, and no change
     * makes no step. With `merge` on, the step merges with the previous one of the same name
     * and controls made within half a second (the arrow keys held or pressed in a row).
     */
    void setControlsBounds(const std::vector<std::pair<const Control*, Bounds>>& bounds, Step step,
                           bool merge = false);
    /** The arrangement applied to the selection, the first as the reference; one step. */
    void arrangeControls(const std::vector<const Control*>& selection, Arrangement arrangement);
    /**
     * Deletes the controls as one step (Cut names it so); undone, each returns to its place in
     * creation order with its name.
     */
    void deleteControls(const std::vector<const Control*>& controls,
                        Step step = Step::DeleteControls);
    /**
     * Adds copies of the controls as Design::pasteControls does, as one step (Duplicate names
     * it so); undone, they go and the default-name counters come back; redone, they return with
     * the same names. Gives the new controls in order. Refused past maxControls.
     */
    std::vector<const Control*> pasteControls(std::vector<ControlData> controls, Offset offset,
                                              Step step = Step::Paste);
    /**
     * Throws the message the user reads when `added` more controls, by the step (Paste,
     * Duplicate or CreateControl), would take the design past maxControls.
     */
    void checkRoomFor(std::size_t added, Step step) const;
    void clear();
    /**
     * Replaces the design with a checked file's; the design then counts as saved. A file of
     * more than maxControls controls is refused first.
     */
    void open(const DesignFile& file);

    bool hasUnsavedChanges() const { return !history_.isClean(); }
    /** Whether the last step made was a Clear: the design holds nothing of the user's since. */
    bool lastStepCleared() const;
    /** The design is what a file holds now (after a save). */
    void markSaved() { history_.setClean(); }
    /** The design is in no file (a recovered copy), until the next save. */
    void markUnsaved() { history_.resetClean(); }

signals:
    /** The design has come to have changes no file holds, or has lost them. */
    void unsavedChanged(bool unsaved);
    /** Clear or Open is about to replace the design, which still holds what it held. */
    void aboutToReplace();
    /** An undo or a redo is about to change the design. */
    void historyStepStarting();
    /** The user made a control (the palette's createControl). */
    void controlCreated(const vap::Control* control);

private:
    void run(std::unique_ptr<DesignStep> step);
    void showStepNames();

    Design design_;
    QUndoStack history_;
    QAction* undo_;
    QAction* redo_;
    struct HistoryEntry {
        QPointer<QAction> action;
        bool redo;
        Texts3 verb;
    };
    std::vector<HistoryEntry> entries_;
};

} // namespace vap::ui
