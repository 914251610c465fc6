#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

class Control;

/**
 * Orders names as the inspector's list shows them: case ignored, '_' before digits, digits
 * before letters, a prefix before the longer name.
 */
bool listedNameLess(std::string_view a, std::string_view b);

/**
 * The listed controls in the order the inspector's list shows their names. It holds the controls
 * themselves, so it always reads their current names; the design takes a control out before
 * renaming it and puts it back after.
 */
class ObjectList {
public:
    const std::vector<const Control*>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    /** The names, in the list's order. */
    std::vector<std::string> names() const;

    /** Inserts one control at the place of its name. */
    void add(const Control& control);
    /** Adds many controls at once, sorting once, so that loading a design stays n log n. */
    void addAll(std::vector<const Control*> controls);
    void clear() { items_.clear(); }
    /** Takes the control out, listed under its current name; false when it is not there. */
    bool remove(const Control& control);

    /** The control listed under the name, case ignored, or none. */
    const Control* find(std::string_view name) const;

    /** Index of the item whose name equals the name, case ignored. */
    std::optional<std::size_t> indexOf(std::string_view name) const;

private:
    std::vector<const Control*> items_;
};

} // namespace vap
