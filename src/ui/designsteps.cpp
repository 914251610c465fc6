#include "designsteps.h"

#include "core/files/designfile.h"
#include "core/model/creation.h"
#include "core/model/error.h"

#include <algorithm>
#include <utility>

namespace vap::ui {

void DesignStep::redo() {
    // QUndoStack::push redoes what apply() has already done.
    if (std::exchange(applied_, false))
        return;
    again();
}

const Control& DesignStep::at(std::size_t index) const {
    if (index >= design_.controls().size())
        throw Error("The control is no longer part of the design");
    return *design_.controls()[index];
}

// ---- creating and deleting

CreateControlStep::CreateControlStep(Design& design, ControlKind kind)
    : DesignStep(design, Step::CreateControl), kind_(kind) {}

void CreateControlStep::apply() {
    before_ = design_.kindCounters();
    const Control& made = createOfKind(design_, kind_, true);
    index_ = design_.controls().size() - 1; // a new control comes last
    made_ = made.data();
    after_ = design_.kindCounters();
    markApplied();
}

void CreateControlStep::undo() {
    design_.deleteControl(at(index_));
    design_.setKindCounters(before_);
}

void CreateControlStep::again() {
    design_.insertControl(index_, made_);
    design_.setKindCounters(after_);
}

DeleteControlStep::DeleteControlStep(Design& design, const Control& control)
    : DesignStep(design, Step::DeleteControl), index_(design.indexOf(control)),
      data_(control.data()) {}

void DeleteControlStep::apply() {
    again();
    markApplied();
}

void DeleteControlStep::undo() {
    design_.insertControl(index_, data_);
}

void DeleteControlStep::again() {
    design_.deleteControl(at(index_));
}

// ---- a control's values

ControlValuesStep::ControlValuesStep(Design& design, Step step, const Control& control,
                                     std::vector<Change> changes, int mergeKey)
    : DesignStep(design, step), index_(design.indexOf(control)), changes_(std::move(changes)),
      mergeKey_(mergeKey) {}

void ControlValuesStep::set(bool after) {
    const Control& control = at(index_);
    for (const Change& change : changes_) {
        const FieldValue& value = after ? change.after : change.before;
        auto number = [&] { return std::get<std::int32_t>(value); };
        auto text = [&] { return std::get<std::string>(value); };
        switch (change.field) {
        case ControlField::Name:
            design_.rename(control, text());
            break;
        case ControlField::Caption:
            design_.setCaption(control, text());
            break;
        case ControlField::Hint:
            design_.setHint(control, text());
            break;
        case ControlField::ShowHint:
            design_.setShowHint(control, std::get<bool>(value));
            break;
        case ControlField::Left:
            design_.setLeft(control, number());
            break;
        case ControlField::Top:
            design_.setTop(control, number());
            break;
        case ControlField::Width:
            design_.setWidth(control, number());
            break;
        case ControlField::Height:
            design_.setHeight(control, number());
            break;
        case ControlField::Tag:
            design_.setTag(control, number());
            break;
        }
    }
}

void ControlValuesStep::apply() {
    set(true);
    markApplied();
}

void ControlValuesStep::undo() {
    set(false);
}

void ControlValuesStep::again() {
    set(true);
}

bool ControlValuesStep::mergeWith(const QUndoCommand* other) {
    auto* next = dynamic_cast<const ControlValuesStep*>(other);
    if (!next || next->mergeKey_ != mergeKey_ || next->index_ != index_ ||
        next->changes_.size() != changes_.size())
        return false;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        if (next->changes_[i].field != changes_[i].field)
            return false;
    }
    bool same = true;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        changes_[i].after = next->changes_[i].after;
        same = same && changes_[i].after == changes_[i].before;
    }
    setObsolete(same); // typed back to what it was: no step at all
    return true;
}

// ---- several controls at once

ControlsBoundsStep::ControlsBoundsStep(Design& design, Step step, std::vector<Change> changes,
                                       qint64 mergeTime)
    : DesignStep(design, step), changes_(std::move(changes)), mergeTime_(mergeTime) {}

void ControlsBoundsStep::set(bool after) {
    // All found first: a step that no longer fits the design changes nothing.
    std::vector<std::pair<const Control*, Bounds>> bounds;
    bounds.reserve(changes_.size());
    for (const Change& change : changes_)
        bounds.emplace_back(&at(change.index), after ? change.after : change.before);
    design_.setBounds(bounds);
}

void ControlsBoundsStep::apply() {
    set(true);
    markApplied();
}

void ControlsBoundsStep::undo() {
    set(false);
}

void ControlsBoundsStep::again() {
    set(true);
}

bool ControlsBoundsStep::mergeWith(const QUndoCommand* other) {
    constexpr qint64 mergeGap = 500;
    auto* next = dynamic_cast<const ControlsBoundsStep*>(other);
    if (!next || next->step() != step() || next->mergeTime_ < 0 ||
        next->mergeTime_ - mergeTime_ > mergeGap || next->changes_.size() != changes_.size())
        return false;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        if (next->changes_[i].index != changes_[i].index)
            return false;
    }
    bool same = true;
    for (std::size_t i = 0; i < changes_.size(); ++i) {
        changes_[i].after = next->changes_[i].after;
        same = same && changes_[i].after == changes_[i].before;
    }
    mergeTime_ = next->mergeTime_;
    setObsolete(same); // moved back to where it was: no step at all
    return true;
}

DeleteControlsStep::DeleteControlsStep(Design& design, Step step,
                                       const std::vector<const Control*>& controls)
    : DesignStep(design, step) {
    std::vector<std::size_t> indices = design.indicesOf(controls);
    deleted_.reserve(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
        deleted_.emplace_back(indices[i], controls[i]->data());
    std::sort(deleted_.begin(), deleted_.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    // The same control twice goes once.
    deleted_.erase(std::unique(deleted_.begin(), deleted_.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; }),
                   deleted_.end());
}

void DeleteControlsStep::apply() {
    again();
    markApplied();
}

void DeleteControlsStep::undo() {
    design_.insertControls(deleted_);
}

void DeleteControlsStep::again() {
    std::vector<const Control*> controls;
    controls.reserve(deleted_.size());
    for (const auto& [index, data] : deleted_)
        controls.push_back(&at(index));
    design_.deleteControls(controls);
}

PasteControlsStep::PasteControlsStep(Design& design, Step step, std::vector<ControlData> controls,
                                     Offset offset)
    : DesignStep(design, step), controls_(std::move(controls)), offset_(offset) {}

void PasteControlsStep::apply() {
    before_ = design_.kindCounters();
    first_ = design_.controls().size();
    count_ = controls_.size();
    made_ = design_.pasteControls(std::move(controls_), offset_); // leaves controls_ empty
    after_ = design_.kindCounters();
    markApplied();
}

void PasteControlsStep::undo() {
    std::vector<const Control*> controls;
    std::vector<std::pair<std::size_t, ControlData>> taken;
    controls.reserve(count_);
    taken.reserve(count_);
    for (std::size_t i = 0; i < count_; ++i) {
        controls.push_back(&at(first_ + i));
        taken.emplace_back(first_ + i, controls.back()->data());
    }
    design_.deleteControls(controls);
    undone_ = std::move(taken);
    design_.setKindCounters(before_);
}

void PasteControlsStep::again() {
    design_.insertControls(undone_);
    undone_ = {};
    design_.setKindCounters(after_);
}

// ---- the designed window

WindowValuesStep::WindowValuesStep(Design& design, Step step, std::vector<Change> changes,
                                   qint64 gestureTime)
    : DesignStep(design, step), changes_(std::move(changes)), gestureTime_(gestureTime) {}

void WindowValuesStep::set(bool after) {
    for (const Change& change : changes_) {
        const FieldValue& value = after ? change.after : change.before;
        switch (change.field) {
        case WindowField::Caption:
            design_.setCaption(std::get<std::string>(value));
            break;
        case WindowField::JavaClassName:
            design_.setJavaClassName(std::get<std::string>(value));
            break;
        case WindowField::Resizable:
            design_.setResizable(std::get<bool>(value));
            break;
        case WindowField::Modal:
            design_.setModal(std::get<bool>(value));
            break;
        case WindowField::Left:
            design_.setWindowLeft(std::get<std::int32_t>(value));
            break;
        case WindowField::Top:
            design_.setWindowTop(std::get<std::int32_t>(value));
            break;
        case WindowField::Width:
            design_.setWindowWidth(std::get<std::int32_t>(value));
            break;
        case WindowField::Height:
            design_.setWindowHeight(std::get<std::int32_t>(value));
            break;
        }
    }
}

void WindowValuesStep::apply() {
    set(true);
    markApplied();
}

void WindowValuesStep::undo() {
    set(false);
}

void WindowValuesStep::again() {
    set(true);
}

bool WindowValuesStep::mergeWith(const QUndoCommand* other) {
    // The move and resize events of one gesture come close together.
    constexpr qint64 gestureGap = 500;
    auto* next = dynamic_cast<const WindowValuesStep*>(other);
    if (!next || next->gestureTime_ - gestureTime_ > gestureGap)
        return false;
    for (const Change& change : next->changes_) {
        auto mine = std::find_if(changes_.begin(), changes_.end(),
                                 [&](const Change& c) { return c.field == change.field; });
        if (mine == changes_.end())
            changes_.push_back(change);
        else
            mine->after = change.after;
    }
    gestureTime_ = next->gestureTime_;
    return true;
}

// ---- Clear and Open

ReplaceDesignStep::ReplaceDesignStep(Design& design, const DesignFile* file)
    : DesignStep(design, file ? Step::Open : Step::Clear), file_(file) {}

void ReplaceDesignStep::apply() {
    before_ = design_.contents();
    design_.clear();
    if (file_) {
        try {
            applyDesignFile(design_, *file_);
        } catch (...) {
            design_.replaceContents(before_);
            throw;
        }
        file_ = nullptr;
    }
    markApplied();
}

// The step keeps one copy of a design at a time: the one it took away. The design it made is
// the current one until it is undone, and a big design is not held twice.
void ReplaceDesignStep::undo() {
    after_ = design_.contents();
    design_.replaceContents(before_);
    before_ = {};
}

void ReplaceDesignStep::again() {
    before_ = design_.contents();
    if (step() == Step::Clear)
        design_.clear();
    else
        design_.replaceContents(after_);
    after_ = {};
}

} // namespace vap::ui
