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

std::uint16_t rankOf(char c) {
    return sortRanks[static_cast<unsigned char>(c)];
}

bool lessNames(std::string_view a, std::string_view b) {
    return platformNameLess(a, b);
}

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

namespace {

/**
 * The ranks of a name's first twenty characters packed into two numbers, so that most
 * comparisons of a sort compare integers. Characters outside identifiers all rank last here, and
 * equal keys fall back to the full comparison.
 */
struct PrefixKey {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    auto operator<=>(const PrefixKey&) const = default;
};

PrefixKey prefixKey(std::string_view name) {
    auto pack = [name](std::size_t from) {
        std::uint64_t key = 0;
        for (std::size_t i = from; i < from + 10; ++i) {
            std::uint64_t rank = i < name.size() ? std::min<std::uint64_t>(rankOf(name[i]), 63) : 0;
            key = (key << 6) | rank;
        }
        return key;
    };
    return PrefixKey{pack(0), pack(10)};
}

/** Sorts the names; those that compare equal are equal with case ignored, so order is unique. */
void sortNames(std::vector<std::string_view>& names) {
    struct Entry {
        PrefixKey key;
        std::string_view name;
    };
    std::vector<Entry> entries(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        entries[i] = {prefixKey(names[i]), names[i]};
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        if (a.key != b.key)
            return a.key < b.key;
        return platformNameLess(a.name, b.name);
    });
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = entries[i].name;
}

} // namespace

void ObjectList::add(std::string_view name) {
    items_.insert(std::upper_bound(items_.begin(), items_.end(), name, lessNames), name);
}

bool ObjectList::remove(std::string_view name) {
    auto [first, last] = std::equal_range(items_.begin(), items_.end(), name, lessNames);
    auto entry = std::find_if(first, last, [name](std::string_view item) {
        return item.data() == name.data() && item.size() == name.size();
    });
    if (entry == last)
        return false;
    items_.erase(entry);
    return true;
}

void ObjectList::addAll(std::vector<std::string_view> names) {
    sortNames(names);
    std::size_t oldSize = items_.size();
    items_.insert(items_.end(), names.begin(), names.end());
    std::inplace_merge(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(oldSize),
                       items_.end(), lessNames);
}

std::optional<std::size_t> ObjectList::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (equalIgnoringCase(items_[i], name))
            return i;
    }
    return std::nullopt;
}

} // namespace vap
