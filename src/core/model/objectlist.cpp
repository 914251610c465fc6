#include "objectlist.h"

#include "naming.h"

#include <algorithm>

namespace vap {

namespace {
int sortRank(unsigned char c) {
    if (c == '_')
        return 1;
    if (c >= '0' && c <= '9')
        return 2 + (c - '0');
    if (c >= 'a' && c <= 'z')
        return 12 + (c - 'a');
    if (c >= 'A' && c <= 'Z')
        return 12 + (c - 'A');
    return 40 + c; // not found in component names; kept after them in byte order
}
} // namespace

bool platformNameLess(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return sortRank(static_cast<unsigned char>(x)) < sortRank(static_cast<unsigned char>(y));
        });
}

void ObjectList::add(std::string name) {
    auto place = std::upper_bound(items_.begin(), items_.end(), name,
                                  [](const std::string& a, const std::string& b) {
                                      return platformNameLess(a, b);
                                  });
    items_.insert(place, std::move(name));
}

void ObjectList::addAll(std::vector<std::string> names) {
    auto less = [](const std::string& a, const std::string& b) { return platformNameLess(a, b); };
    std::stable_sort(names.begin(), names.end(), less);
    std::size_t oldSize = items_.size();
    items_.insert(items_.end(), std::make_move_iterator(names.begin()),
                  std::make_move_iterator(names.end()));
    std::inplace_merge(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(oldSize),
                       items_.end(), less);
}

std::optional<std::size_t> ObjectList::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (equalIgnoringCase(items_[i], name))
            return i;
    }
    return std::nullopt;
}

} // namespace vap
