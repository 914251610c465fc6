#include "controlset.h"

#include <algorithm>

namespace vap::ui {

namespace {
// A control is allocated on its own, aligned far beyond one byte: the lowest bit of its address
// is free for the mark.
constexpr std::uintptr_t takenOut = 1;

std::uintptr_t addressOf(const Control* control) {
    return reinterpret_cast<std::uintptr_t>(control);
}
} // namespace

void ControlSet::assign(const std::vector<const Control*>& controls) {
    entries_.clear();
    entries_.reserve(controls.size());
    for (const Control* control : controls)
        entries_.push_back(addressOf(control));
    std::sort(entries_.begin(), entries_.end());
    entries_.erase(std::unique(entries_.begin(), entries_.end()), entries_.end());
    marked_ = 0;
}

std::vector<std::uintptr_t>::const_iterator ControlSet::find(const Control* control) const {
    const std::uintptr_t address = addressOf(control);
    auto place = std::lower_bound(
        entries_.begin(), entries_.end(), address,
        [](std::uintptr_t entry, std::uintptr_t wanted) { return (entry & ~takenOut) < wanted; });
    return place != entries_.end() && *place == address ? place : entries_.end();
}

bool ControlSet::contains(const Control* control) const {
    return find(control) != entries_.end();
}

bool ControlSet::erase(const Control* control) {
    auto place = find(control);
    if (place == entries_.end())
        return false;
    entries_[static_cast<std::size_t>(place - entries_.begin())] |= takenOut;
    if (++marked_ > entries_.size() / 2) {
        std::erase_if(entries_, [](std::uintptr_t entry) { return (entry & takenOut) != 0; });
        marked_ = 0;
    }
    return true;
}

void ControlSet::clear() {
    entries_.clear();
    marked_ = 0;
}

} // namespace vap::ui
