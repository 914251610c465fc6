#include "objectlist.h"

#include "naming.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace vap {

namespace {

/** Sort ranks of the bytes: '_' first, then digits, then letters with case ignored. */
constexpr std::array<std::uint16_t, 256> makeSortRanks() {
    std::array<std::uint16_t, 256> ranks{};
    for (int c = 0; c < 256; ++c)
        ranks[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(40 + c);
    ranks['_'] = 1;
    for (int d = 0; d < 10; ++d)
        ranks[static_cast<std::size_t>('0' + d)] = static_cast<std::uint16_t>(2 + d);
    for (int l = 0; l < 26; ++l) {
        ranks[static_cast<std::size_t>('a' + l)] = static_cast<std::uint16_t>(12 + l);
        ranks[static_cast<std::size_t>('A' + l)] = static_cast<std::uint16_t>(12 + l);
    }
    return ranks;
}
constexpr std::array<std::uint16_t, 256> sortRanks = makeSortRanks();

std::uint16_t rankOf(char c) { return sortRanks[static_cast<unsigned char>(c)]; }

bool lessNames(const std::string& a, const std::string& b) { return platformNameLess(a, b); }

} // namespace

bool platformNameLess(std::string_view a, std::string_view b) {
    std::size_t common = std::min(a.size(), b.size());
    std::size_t i = 0;
    // Names of one list often share a long prefix in the same case; skip it eight bytes a step.
    while (i + 8 <= common && std::memcmp(a.data() + i, b.data() + i, 8) == 0)
        i += 8;
    for (; i < common; ++i) {
        std::uint16_t x = rankOf(a[i]);
        std::uint16_t y = rankOf(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

void ObjectList::add(std::string name) {
    auto place = std::upper_bound(items_.begin(), items_.end(), name, lessNames);
    items_.insert(place, std::move(name));
}

bool ObjectList::replace(const std::string& oldName, const std::string& newName) {
    auto [first, last] = std::equal_range(items_.begin(), items_.end(), oldName, lessNames);
    auto entry = std::find(first, last, oldName);
    if (entry == last)
        return false;
    items_.erase(entry);
    add(newName);
    return true;
}

void ObjectList::addAll(std::vector<std::string> names) {
    // Names that compare equal are equal with case ignored, and such names are unique but for
    // the empty name, so an unstable sort gives the same list.
    auto less = lessNames;
    std::sort(names.begin(), names.end(), less);
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
