#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

/**
 * Orders names as the platform's sorted lists do: case ignored, '_' before digits, digits before
 * letters, a prefix before the longer name.
 */
bool platformNameLess(std::string_view a, std::string_view b);

/**
 * The sorted list of control names that the inspector offers for choice. The items view names
 * that their owner keeps alive and unchanged while they are listed: the design lists its
 * controls' own names and takes an entry out before the name changes.
 */
class ObjectList {
public:
    const std::vector<std::string_view>& items() const { return items_; }
    std::size_t size() const { return items_.size(); }
    /** The items as strings of their own. */
    std::vector<std::string> names() const { return {items_.begin(), items_.end()}; }

    /** Inserts one name at its sorted place, after names that compare equal to it. */
    void add(std::string_view name);
    /** Adds many names at once, sorting once, so that loading a design stays n log n. */
    void addAll(std::vector<std::string_view> names);
    void clear() { items_.clear(); }
    /** Takes out the entry that views exactly this string (the same characters in memory). */
    bool remove(std::string_view name);

    /** Index of the first item equal to the name, case ignored. */
    std::optional<std::size_t> indexOf(std::string_view name) const;

private:
    std::vector<std::string_view> items_;
};

} // namespace vap
