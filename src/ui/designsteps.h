#pragma once

#include "core/lang/steptexts.h"
#include "core/model/design.h"

#include <QUndoCommand>

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace vap {
class DesignFile;
}

namespace vap::ui {

using FieldValue = std::variant<std::int32_t, bool, std::string>;

/**
 * One undoable change of the design. Its first redo is the change itself, made before it is
 * pushed, so that a refused change never reaches the history; undo and redo call only the
 * design's checked operations. Controls are kept by their place in creation order, which the
 * history restores exactly.
 */
class DesignStep : public QUndoCommand {
public:
    DesignStep(Design& design, Step step) : design_(design), step_(step) {}
    Step step() const { return step_; }
    /** Makes the change for the first time; throws, changing nothing, when it is refused. */
    virtual void apply() = 0;
    void redo() final;

protected:
    virtual void again() = 0;
    void markApplied() { applied_ = true; }
    const Control& at(std::size_t index) const;
    Design& design_;

private:
    Step step_;
    bool applied_ = false;
};

/** A control made from the palette; undone, the default-name counters go back too. */
class CreateControlStep : public DesignStep {
public:
    CreateControlStep(Design& design, ControlKind kind);
    void apply() override;
    void undo() override;

protected:
    void again() override;

private:
    ControlKind kind_;
    KindCounters before_{};
    KindCounters after_{};
    std::size_t index_ = 0;
    ControlData made_;
};

/** A deleted control; undone, it returns to its place in creation order. */
class DeleteControlStep : public DesignStep {
public:
    DeleteControlStep(Design& design, const Control& control);
    void apply() override;
    void undo() override;

protected:
    void again() override;

private:
    std::size_t index_;
    ControlData data_;
};

/**
 * Values of one control set at once: a drag, a property cell, the events, a rename (its caption
 * kept as well, so that undoing restores the caption a rename carried along). A name always
 * goes first. Steps with the same merge key, control and fields merge: the keystrokes of one
 * cell edit are one step.
 */
class ControlValuesStep : public DesignStep {
public:
    struct Change {
        ControlField field;
        FieldValue before;
        FieldValue after;
    };
    ControlValuesStep(Design& design, Step step, const Control& control,
                      std::vector<Change> changes, int mergeKey);
    void apply() override;
    void undo() override;
    int id() const override { return mergeKey_ ? 1 : -1; }
    bool mergeWith(const QUndoCommand* other) override;

protected:
    void again() override;

private:
    void set(bool after);
    std::size_t index_;
    std::vector<Change> changes_;
    int mergeKey_;
};

/**
 * Bounds of several controls set at once: a move or resize of a selection, an arrangement. With
 * a merge time, it merges with the next step of the same name and controls made within half a
 * second of it.
 */
class ControlsBoundsStep : public DesignStep {
public:
    struct Change {
        std::size_t index;
        Bounds before;
        Bounds after;
    };
    ControlsBoundsStep(Design& design, Step step, std::vector<Change> changes, qint64 mergeTime);
    void apply() override;
    void undo() override;
    int id() const override { return mergeTime_ >= 0 ? 3 : -1; }
    bool mergeWith(const QUndoCommand* other) override;

protected:
    void again() override;

private:
    void set(bool after);
    std::vector<Change> changes_;
    qint64 mergeTime_; // milliseconds of the latest step merged in; -1: none
};

/** Controls deleted at once; undone, each returns to its place in creation order. */
class DeleteControlsStep : public DesignStep {
public:
    DeleteControlsStep(Design& design, Step step, const std::vector<const Control*>& controls);
    void apply() override;
    void undo() override;

protected:
    void again() override;

private:
    std::vector<std::pair<std::size_t, ControlData>> deleted_; // by place, ascending
};

/**
 * Copies of controls added at once; undone, the default-name counters go back too. Done, it
 * keeps no values of its own: the design holds the controls, and a big paste is not held twice.
 * Undone, it keeps the values it takes away, to put them back.
 */
class PasteControlsStep : public DesignStep {
public:
    PasteControlsStep(Design& design, Step step, std::vector<ControlData> controls, Offset offset);
    void apply() override;
    void undo() override;
    /** The controls the first apply made, in order; given once. */
    std::vector<const Control*> takeMade() { return std::move(made_); }

protected:
    void again() override;

private:
    std::vector<ControlData> controls_; // as given, until applied
    Offset offset_;
    KindCounters before_{};
    KindCounters after_{};
    std::size_t first_ = 0;
    std::size_t count_ = 0;
    std::vector<std::pair<std::size_t, ControlData>> undone_; // by place, while undone
    std::vector<const Control*> made_;                        // at the first apply
};

/** Values of the designed window; moves and resizes of one gesture merge. */
class WindowValuesStep : public DesignStep {
public:
    struct Change {
        WindowField field;
        FieldValue before;
        FieldValue after;
    };
    WindowValuesStep(Design& design, Step step, std::vector<Change> changes, qint64 gestureTime);
    void apply() override;
    void undo() override;
    int id() const override { return gestureTime_ >= 0 ? 2 : -1; }
    bool mergeWith(const QUndoCommand* other) override;

protected:
    void again() override;

private:
    void set(bool after);
    std::vector<Change> changes_;
    qint64 gestureTime_; // milliseconds of the last event of the gesture; -1: no gesture
};

/**
 * Clear and Open: the whole design is kept before and after. Open reads through the loader's
 * checked path the first time.
 */
class ReplaceDesignStep : public DesignStep {
public:
    /** Clear without a file; Open with one. */
    ReplaceDesignStep(Design& design, const DesignFile* file);
    void apply() override;
    void undo() override;

protected:
    void again() override;

private:
    const DesignFile* file_;
    DesignContents before_;
    DesignContents after_;
};

} // namespace vap::ui
