#include "objectlist.h"

#include "naming.h"

#include <algorithm>
#include <array>
#include <cstdint>

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

std::uint16_t rankOf(char c) {
    return sortRanks[static_cast<unsigned char>(c)];
}

struct NameLess {
    bool operator()(std::string_view a, std::string_view b) const { return listedNameLess(a, b); }
};

} // namespace

bool listedNameLess(std::string_view a, std::string_view b) {
    // The names of one list often share a long prefix spelled alike: skip it first.
    auto [restOfA, restOfB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return std::lexicographical_compare(restOfA, a.end(), restOfB, b.end(),
                                        [](char x, char y) { return rankOf(x) < rankOf(y); });
}

void ObjectList::add(std::string name) {
    auto place = std::upper_bound(items_.begin(), items_.end(), name, NameLess{});
    items_.insert(place, std::move(name));
}

bool ObjectList::remove(std::string_view name) {
    auto [first, last] = std::equal_range(items_.begin(), items_.end(), name, NameLess{});
    auto entry = std::find(first, last, name);
    if (entry == last)
        return false;
    items_.erase(entry);
    return true;
}

void ObjectList::addAll(std::vector<std::string_view> names) {
    // Views are sorted, not strings: a sort moves its elements many times over. No two names of
    // one design compare equal, so a plain sort gives the one order.
    std::sort(names.begin(), names.end(), NameLess{});
    std::size_t oldSize = items_.size();
    items_.insert(items_.end(), names.begin(), names.end());
    std::inplace_merge(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(oldSize),
                       items_.end(), NameLess{});
}

std::optional<std::size_t> ObjectList::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (equalIgnoringCase(items_[i], name))
            return i;
    }
    return std::nullopt;
}

} // namespace vap
