#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

/**
 * Orders names as the inspector's list shows them: case ignored, '_' before digits, digits
 * before letters, a prefix before the longer name.
 */
bool listedNameLess(std::string_view a, std::string_view b);

/** The sorted list of control names that the inspector offers for choice. */
class ObjectList {
public:
    const std::vector<std::string>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }

    /** Inserts one name at its sorted place, after names that compare equal to it. */
    void add(std::string name);
    /**
     * Adds copies of many names at once, sorting once, so that loading a design stays n log n.
     * The views need to last only for the call.
     */
    void addAll(std::vector<std::string_view> names);
    void clear() { items_.clear(); }
    /** Takes out one entry spelled exactly like the name; false when there is none. */
    bool remove(std::string_view name);

    /** Index of the first item equal to the name, case ignored. */
    std::optional<std::size_t> indexOf(std::string_view name) const;

private:
    std::vector<std::string> items_;
};

} // namespace vap
