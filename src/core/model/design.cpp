#include "design.h"

#include "componentnames.h"
#include "error.h"
#include "naming.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace vap {

namespace {
constexpr std::int32_t newControlLeft = 1;
constexpr std::int32_t newControlTop = 40;
} // namespace

Control* Design::findControl(std::string_view name) const {
    if (name.empty())
        return nullptr;
    // The design made its controls; the list hands them out read-only.
    return const_cast<Control*>(objectList_.find(name));
}

template <class Call> void Design::notify(Call call) {
    // A copy, so that an observer may come or go during the call; one that went hears no more.
    std::vector<DesignObserver*> snapshot = observers_;
    for (DesignObserver* observer : snapshot) {
        if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end())
            call(*observer);
    }
}

namespace {
const char* const notInDesignMessage = "The control is no longer part of the design";

void checkCounters(const KindCounters& counters) {
    if (std::any_of(counters.begin(), counters.end(), [](std::int32_t n) { return n < 0; }))
        throw Error("A control counter cannot be negative");
}

/** A name a new control may take whatever the design holds: valid or empty, not the designer's. */
void checkNameOfNew(std::string_view name) {
    checkComponentName(name);
    if (!name.empty() && isDesignerComponentName(name))
        throw Error(duplicateNameMessage(name));
}
} // namespace

Control& Design::owned(const Control& control) const {
    // Found by its address before anything of it is read: a deleted control is freed memory.
    // The newest first, where a load and most edits find it at once.
    if (!contains(&control))
        throw Error(notInDesignMessage);
    return const_cast<Control&>(control); // the design made it, not const
}

bool Design::contains(const Control* control) const {
    return std::any_of(controls_.rbegin(), controls_.rend(),
                       [control](const auto& owned) { return owned.get() == control; });
}

std::size_t Design::indexOf(const Control& control) const {
    auto place = std::find_if(controls_.begin(), controls_.end(),
                              [&control](const auto& owned) { return owned.get() == &control; });
    if (place == controls_.end())
        throw Error(notInDesignMessage);
    return static_cast<std::size_t>(place - controls_.begin());
}

std::vector<std::size_t> Design::indicesOf(std::span<const Control* const> controls) const {
    std::vector<std::pair<const Control*, std::size_t>> wanted; // control, place in `controls`
    wanted.reserve(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
        wanted.emplace_back(controls[i], i);
    std::sort(wanted.begin(), wanted.end(), std::less<>());
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t> indices(controls.size(), none);
    for (std::size_t index = 0; index < controls_.size(); ++index) {
        const Control* control = controls_[index].get();
        auto first =
            std::lower_bound(wanted.begin(), wanted.end(), std::pair(control, 0),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
        for (; first != wanted.end() && first->first == control; ++first)
            indices[first->second] = index;
    }
    if (std::find(indices.begin(), indices.end(), none) != indices.end())
        throw Error(notInDesignMessage);
    return indices;
}

void Design::setKindCounters(const KindCounters& counters) {
    checkCounters(counters);
    counters_ = counters;
}

DesignContents Design::contents() const {
    DesignContents contents{window_, {}, counters_};
    contents.controls.reserve(controls_.size());
    for (const auto& control : controls_)
        contents.controls.push_back(control->data());
    return contents;
}

void Design::replaceContents(const DesignContents& contents) {
    checkCounters(contents.counters);
    std::vector<std::string_view> names;
    names.reserve(contents.controls.size());
    for (const ControlData& data : contents.controls) {
        if (kindIndex(data.kind) >= controlKindCount)
            throw Error("Unknown control kind");
        checkNameOfNew(data.name);
        if (!data.name.empty())
            names.push_back(data.name);
    }
    std::sort(names.begin(), names.end(), listedNameLess);
    auto twice = std::adjacent_find(names.begin(), names.end(), equalIgnoringCase);
    if (twice != names.end())
        throw Error(duplicateNameMessage(*twice));

    clear();
    BulkChange bulk(*this);
    setCaption(contents.window.caption);
    setWindowLeft(contents.window.left);
    setWindowTop(contents.window.top);
    setWindowWidth(contents.window.width);
    setWindowHeight(contents.window.height);
    setResizable(contents.window.resizable);
    setModal(contents.window.modal);
    setJavaClassName(contents.window.JavaClassName);
    controls_.reserve(contents.controls.size());
    for (const ControlData& data : contents.controls) {
        Control& added = *controls_.emplace_back(makeControl(data));
        notify([&added](DesignObserver& observer) { observer.controlAdded(added); });
    }
    counters_ = contents.counters;
    rebuildObjectList();
}

const Control& Design::insertControl(std::size_t index, const ControlData& data) {
    if (index > controls_.size())
        throw Error(notInDesignMessage);
    checkNameAvailable(data.name, nullptr);
    std::unique_ptr<Control> control = makeControl(data);
    Control* made = control.get();
    controls_.insert(controls_.begin() + static_cast<std::ptrdiff_t>(index), std::move(control));
    notify([made](DesignObserver& observer) { observer.controlAdded(*made); });
    rebuildObjectList();
    if (!contains(made))
        throw Error(notInDesignMessage); // an observer deleted it again
    return *made;
}

std::vector<const Control*>
Design::insertControls(std::span<const std::pair<std::size_t, ControlData>> placed) {
    std::size_t total = controls_.size() + placed.size();
    std::vector<std::string_view> names;
    names.reserve(placed.size());
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const auto& [index, data] = placed[i];
        if (index >= total || (i > 0 && index <= placed[i - 1].first))
            throw Error(notInDesignMessage);
        if (kindIndex(data.kind) >= controlKindCount)
            throw Error("Unknown control kind");
        checkNameAvailable(data.name, nullptr);
        if (!data.name.empty())
            names.push_back(data.name);
    }
    std::sort(names.begin(), names.end(), listedNameLess);
    auto twice = std::adjacent_find(names.begin(), names.end(), equalIgnoringCase);
    if (twice != names.end())
        throw Error(duplicateNameMessage(*twice));

    // One pass over the design, instead of shifting it once for each control put back.
    std::vector<std::unique_ptr<Control>> merged;
    merged.reserve(total);
    std::vector<const Control*> made;
    made.reserve(placed.size());
    auto old = controls_.begin();
    for (const auto& [index, data] : placed) {
        while (merged.size() < index)
            merged.push_back(std::move(*old++));
        made.push_back(merged.emplace_back(makeControl(data)).get());
    }
    while (old != controls_.end())
        merged.push_back(std::move(*old++));
    controls_ = std::move(merged);
    BulkChange bulk(*this);
    std::uint64_t removals = removals_;
    // From the last: each is told with those after it, which cover it, already known.
    for (auto added = made.rbegin(); added != made.rend(); ++added)
        notify([added](DesignObserver& observer) { observer.controlAdded(**added); });
    rebuildObjectList();
    if (removals_ != removals) {
        indicesOf(made); // throws when an observer deleted one again
    }
    return made;
}

std::vector<const Control*> Design::pasteControls(std::vector<ControlData> controls,
                                                  Offset offset) {
    {
        std::vector<Bounds> bounds;
        bounds.reserve(controls.size());
        for (const ControlData& data : controls) {
            if (kindIndex(data.kind) >= controlKindCount)
                throw Error("Unknown control kind");
            bounds.push_back({data.left, data.top, data.width, data.height});
        }
        offset = allowedOffset(bounds, offset.dx, offset.dy);
    }
    // Every copy is named and placed before any is made, so that a refusal changes nothing; the
    // values are this call's own, and are moved into the controls after.
    KindCounters counters = counters_;
    for (ControlData& data : controls) {
        std::int32_t& counter = counters[kindIndex(data.kind)];
        std::string name;
        // A pasted control is never refused for a default name a control already has: it takes
        // the next one that is free, as a user pasting into an opened design expects.
        do {
            if (counter == std::numeric_limits<std::int32_t>::max())
                throw Error("No default name is left for another " +
                            std::string(kindInfo(data.kind).javaClass));
            name = std::string(kindInfo(data.kind).defaultNamePrefix) + std::to_string(++counter);
        } while (findControl(name));
        if (data.caption == data.name)
            data.caption = name;
        data.name = std::move(name);
        data.left = static_cast<std::int32_t>(data.left + offset.dx);
        data.top = static_cast<std::int32_t>(data.top + offset.dy);
    }
    counters_ = counters;
    controls_.reserve(controls_.size() + controls.size());
    std::vector<const Control*> made;
    made.reserve(controls.size());
    for (ControlData& data : controls)
        made.push_back(controls_.emplace_back(makeControl(std::move(data))).get());
    // The values given are the controls' now: let them go before observers build on the
    // controls, so that a big paste is never held twice. Observers then hear of each in order.
    std::vector<ControlData>().swap(controls);
    BulkChange bulk(*this);
    std::uint64_t removals = removals_;
    for (const Control* added : made) {
        if (removals_ != removals && !contains(added))
            throw Error(notInDesignMessage); // an observer deleted it
        notify([added](DesignObserver& observer) { observer.controlAdded(*added); });
    }
    if (removals_ != removals)
        indicesOf(made); // throws when an observer deleted one after being told of it
    for (const Control* control : made)
        const_cast<Control*>(control)->listed_ = true; // the design made them
    objectList_.addAll(made);
    notifyObjectListChanged();
    return made;
}

std::unique_ptr<Control> Design::makeControl(ControlData data) {
    if (kindIndex(data.kind) >= controlKindCount)
        throw Error("Unknown control kind");
    std::unique_ptr<Control> control(new Control(data.kind));
    control->name_ = std::move(data.name);
    control->caption_ = std::move(data.caption);
    control->hint_ = std::move(data.hint);
    control->showHint_ = data.showHint;
    control->left_ = data.left;
    control->top_ = data.top;
    control->width_ = data.width;
    control->height_ = data.height;
    control->tag_ = data.tag;
    control->owner_ = this;
    return control;
}

template <class Member, class Value>
void Design::setWindowField(Member member, Value value, WindowField field) {
    if (window_.*member == value)
        return;
    window_.*member = std::move(value);
    notify([field](DesignObserver& observer) { observer.windowChanged(field); });
}

void Design::setCaption(std::string caption) {
    setWindowField(&DesignWindow::caption, std::move(caption), WindowField::Caption);
}
void Design::setWindowLeft(std::int32_t left) {
    setWindowField(&DesignWindow::left, left, WindowField::Left);
}
void Design::setWindowTop(std::int32_t top) {
    setWindowField(&DesignWindow::top, top, WindowField::Top);
}
void Design::setWindowWidth(std::int32_t width) {
    setWindowField(&DesignWindow::width, width, WindowField::Width);
}
void Design::setWindowHeight(std::int32_t height) {
    setWindowField(&DesignWindow::height, height, WindowField::Height);
}
void Design::setResizable(bool resizable) {
    setWindowField(&DesignWindow::resizable, resizable, WindowField::Resizable);
}
void Design::setModal(bool modal) {
    setWindowField(&DesignWindow::modal, modal, WindowField::Modal);
}
void Design::setJavaClassName(std::string name) {
    setWindowField(&DesignWindow::JavaClassName, std::move(name), WindowField::JavaClassName);
}

void Design::checkNameAvailable(std::string_view name, const Control* control) const {
    checkNameOfNew(name);
    if (name.empty())
        return;
    if (control && equalIgnoringCase(control->name(), name))
        return;
    if (findControl(name))
        throw Error(duplicateNameMessage(name));
}

Control& Design::createControl(ControlKind kind, bool listing) {
    std::int32_t number = ++counters_[kindIndex(kind)];
    std::unique_ptr<Control> control(new Control(kind));
    control->left_ = newControlLeft;
    control->top_ = newControlTop;
    control->showHint_ = true;
    if (listing) {
        std::string defaultName =
            std::string(kindInfo(kind).defaultNamePrefix) + std::to_string(number);
        checkNameAvailable(defaultName, nullptr);
        control->caption_ = defaultName;
        control->name_ = std::move(defaultName);
    }
    Control& added = *controls_.emplace_back(std::move(control));
    added.owner_ = this;
    notify([&added](DesignObserver& observer) { observer.controlAdded(added); });
    if (!contains(&added))
        throw Error(notInDesignMessage); // an observer deleted it again
    if (listing) {
        objectList_.add(added);
        added.listed_ = true;
        notifyObjectListChanged();
    }
    return added;
}

void Design::rename(const Control& control, std::string newName) {
    if (owned(control).name_ == newName)
        return;
    checkNameAvailable(newName, &control);
    renameChecked(control, std::move(newName));
}

void Design::renameChecked(const Control& named, std::string newName) {
    Control& control = owned(named);
    if (control.name_ == newName)
        return;
    bool captionFollows = control.caption_ == control.name_;
    if (control.listed_)
        objectList_.remove(control);
    control.name_ = std::move(newName);
    if (control.listed_)
        objectList_.add(control);
    // Observers hear of the new name with the list already holding it.
    notify([&control](DesignObserver& observer) {
        observer.controlChanged(control, ControlField::Name);
    });
    if (!contains(&control))
        return; // an observer deleted it
    if (captionFollows)
        setCaption(control, control.name_);
    if (control.listed_)
        notifyObjectListChanged();
}

template <class Member, class Value>
void Design::setControlField(const Control& named, Member member, Value value, ControlField field) {
    Control& control = owned(named);
    if (control.*member == value)
        return;
    control.*member = std::move(value);
    notify(
        [&control, field](DesignObserver& observer) { observer.controlChanged(control, field); });
}

void Design::setCaption(const Control& control, std::string caption) {
    setControlField(control, &Control::caption_, std::move(caption), ControlField::Caption);
}
void Design::setHint(const Control& control, std::string hint) {
    setControlField(control, &Control::hint_, std::move(hint), ControlField::Hint);
}
void Design::setShowHint(const Control& control, bool showHint) {
    setControlField(control, &Control::showHint_, showHint, ControlField::ShowHint);
}
void Design::setLeft(const Control& control, std::int32_t left) {
    setControlField(control, &Control::left_, left, ControlField::Left);
}
void Design::setTop(const Control& control, std::int32_t top) {
    setControlField(control, &Control::top_, top, ControlField::Top);
}
void Design::setWidth(const Control& control, std::int32_t width) {
    setControlField(control, &Control::width_, width, ControlField::Width);
}
void Design::setHeight(const Control& control, std::int32_t height) {
    setControlField(control, &Control::height_, height, ControlField::Height);
}
void Design::setTag(const Control& control, std::int32_t tag) {
    setControlField(control, &Control::tag_, tag, ControlField::Tag);
}

void Design::setBounds(std::span<const std::pair<const Control*, Bounds>> bounds) {
    std::vector<const Control*> controls;
    controls.reserve(bounds.size());
    for (const auto& entry : bounds)
        controls.push_back(entry.first);
    indicesOf(controls); // every one this design's, or nothing changes
    BulkChange bulk(*this);
    std::uint64_t removals = removals_;
    for (const auto& [named, b] : bounds) {
        auto set = [&](std::int32_t Control::*member, std::int32_t value, ControlField field) {
            // Observers may delete controls when told; one gone is never written again.
            if (removals_ != removals && !contains(named))
                return;
            Control& control = const_cast<Control&>(*named); // the design made it
            if (control.*member == value)
                return;
            control.*member = value;
            notify([&control, field](DesignObserver& observer) {
                observer.controlChanged(control, field);
            });
        };
        set(&Control::left_, b.left, ControlField::Left);
        set(&Control::top_, b.top, ControlField::Top);
        set(&Control::width_, b.width, ControlField::Width);
        set(&Control::height_, b.height, ControlField::Height);
    }
}

void Design::deleteControl(const Control& control) {
    if (!contains(&control))
        return;
    notify([&control](DesignObserver& observer) { observer.controlRemoved(control); });
    // Looked up again: an observer may have added or removed controls meanwhile.
    auto place = std::find_if(controls_.begin(), controls_.end(),
                              [&control](const auto& owned) { return owned.get() == &control; });
    if (place == controls_.end())
        return;
    controls_.erase(place);
    ++removals_;
    rebuildObjectList();
}

void Design::deleteControls(std::span<const Control* const> controls) {
    std::vector<const Control*> doomed(controls.begin(), controls.end());
    std::sort(doomed.begin(), doomed.end(), std::less<>());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    auto isDoomed = [&doomed](const Control* control) {
        return std::binary_search(doomed.begin(), doomed.end(), control, std::less<>());
    };
    std::vector<const Control*> inOrder; // the design's order
    inOrder.reserve(doomed.size());
    for (const auto& control : controls_) {
        if (isDoomed(control.get()))
            inOrder.push_back(control.get());
    }
    if (inOrder.size() != doomed.size())
        throw Error(notInDesignMessage);
    if (inOrder.empty())
        return;
    BulkChange bulk(*this);
    for (auto control = inOrder.rbegin(); control != inOrder.rend(); ++control)
        notify([control](DesignObserver& observer) { observer.controlRemoved(**control); });
    // Whatever observers did meanwhile, only controls still here and named above go.
    std::erase_if(controls_, [&](const auto& owned) { return isDoomed(owned.get()); });
    ++removals_;
    rebuildObjectList();
}

void Design::clear() {
    objectList_.clear();
    notifyObjectListChanged();
    // Told while the controls still exist: an observer may read what it remembers of them.
    notify([](DesignObserver& observer) { observer.designCleared(); });
    while (!controls_.empty())
        controls_.pop_back(); // last to first, as the owner destroys them
    ++removals_;
    counters_.fill(0);
}

void Design::listControls(std::span<Control* const> controls) {
    // Checked against a sorted copy of the design's own: one lookup per control, so that a whole
    // file's controls are listed in n log n instead of scanning the design for each.
    std::vector<const Control*> mine;
    mine.reserve(controls_.size());
    for (const auto& control : controls_)
        mine.push_back(control.get());
    std::sort(mine.begin(), mine.end(), std::less<>());
    for (const Control* control : controls) {
        if (!std::binary_search(mine.begin(), mine.end(), control, std::less<>()))
            throw Error(notInDesignMessage);
    }
    for (Control* control : controls)
        control->listed_ = true;
    objectList_.addAll(std::vector<const Control*>(controls.begin(), controls.end()));
    notifyObjectListChanged();
}

void Design::reserveControls(std::size_t count) {
    controls_.reserve(controls_.size() + count);
}

void Design::rebuildObjectList() {
    std::vector<const Control*> listed;
    listed.reserve(controls_.size());
    for (const auto& control : controls_) {
        listed.push_back(control.get());
        control->listed_ = true;
    }
    objectList_.clear();
    objectList_.addAll(std::move(listed));
    notifyObjectListChanged();
}

void Design::notifyObjectListChanged() {
    notify([](DesignObserver& observer) { observer.objectListChanged(); });
}

void Design::beginBulkChange() {
    notify([](DesignObserver& observer) { observer.bulkChangeStarted(); });
}

void Design::endBulkChange() {
    notify([](DesignObserver& observer) { observer.bulkChangeFinished(); });
}

void Design::addObserver(DesignObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void Design::removeObserver(DesignObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

} // namespace vap
