#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vap {
class Control;
}

namespace vap::ui {

/**
 * Controls known by their addresses, in one sorted list: 8 bytes a control where a hash set
 * takes about 40, as a selection may hold every control of a big paste. One taken out is only
 * marked, and the marks are swept once they are half the list, so that taking many out one by
 * one (undoing that paste) stays linear.
 */
class ControlSet {
public:
    /** Holds these controls; repeats count once. */
    void assign(const std::vector<const Control*>& controls);
    bool contains(const Control* control) const;
    /** Takes the control out; false when it was not there. */
    bool erase(const Control* control);
    void clear();
    std::size_t size() const { return entries_.size() - marked_; }
    bool empty() const { return size() == 0; }

private:
    std::vector<std::uintptr_t>::const_iterator find(const Control* control) const;

    std::vector<std::uintptr_t> entries_; // ascending addresses; the low bit marks one taken out
    std::size_t marked_ = 0;
};

} // namespace vap::ui
