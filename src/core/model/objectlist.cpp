#include "objectlist.h"

#include "control.h"
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

/** Orders listed controls by their names; a name alone may stand for a control in a search. */
struct NameLess {
    static std::string_view nameOf(const Control* control) { return control->name(); }
    static std::string_view nameOf(std::string_view name) { return name; }
    template <class A, class B> bool operator()(const A& a, const B& b) const {
        return listedNameLess(nameOf(a), nameOf(b));
    }
};

/** A control with the ranks of its name's first 16 bytes, 8 bits each, 0 past the end. */
struct RankedName {
    std::uint64_t head;
    std::uint64_t tail;
    const Control* control;
};

/** False when a byte's rank takes more than 8 bits. */
bool rankName(std::string_view name, RankedName& ranked) {
    std::uint64_t packed[2] = {0, 0};
    for (std::size_t i = 0; i < 16; ++i) {
        const std::uint16_t rank = i < name.size() ? rankOf(name[i]) : 0;
        if (rank > 0xFF)
            return false;
        packed[i / 8] = packed[i / 8] << 8 | rank;
    }
    ranked.head = packed[0];
    ranked.tail = packed[1];
    return true;
}

/**
 * Sorts as NameLess does. The first bytes' ranks are compared as two numbers held beside the
 * controls, so that most comparisons of a big list read no name: a name below the others' at a
 * byte ranks below them there, and one that ends first (0) below the longer ones.
 */
void sortByName(std::vector<const Control*>& controls) {
    std::vector<RankedName> ranked(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        ranked[i].control = controls[i];
        if (!rankName(controls[i]->name(), ranked[i])) {
            std::sort(controls.begin(), controls.end(), NameLess{});
            return;
        }
    }
    std::sort(ranked.begin(), ranked.end(), [](const RankedName& a, const RankedName& b) {
        if (a.head != b.head)
            return a.head < b.head;
        if (a.tail != b.tail)
            return a.tail < b.tail;
        return listedNameLess(a.control->name(), b.control->name());
    });
    for (std::size_t i = 0; i < controls.size(); ++i)
        controls[i] = ranked[i].control;
}

} // namespace

bool listedNameLess(std::string_view a, std::string_view b) {
    // The names of one list often share a long prefix spelled alike: skip it first.
    auto [restOfA, restOfB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return std::lexicographical_compare(restOfA, a.end(), restOfB, b.end(),
                                        [](char x, char y) { return rankOf(x) < rankOf(y); });
}

std::vector<std::string> ObjectList::names() const {
    std::vector<std::string> names;
    names.reserve(items_.size());
    for (const Control* control : items_)
        names.push_back(control->name());
    return names;
}

void ObjectList::add(const Control& control) {
    auto place = std::upper_bound(items_.begin(), items_.end(), &control, NameLess{});
    items_.insert(place, &control);
}

bool ObjectList::remove(const Control& control) {
    auto [first, last] = std::equal_range(items_.begin(), items_.end(), &control, NameLess{});
    auto entry = std::find(first, last, &control);
    if (entry == last)
        return false;
    items_.erase(entry);
    return true;
}

void ObjectList::addAll(std::vector<const Control*> controls) {
    // No two names of one design compare equal, so a plain sort gives the one order; the loader
    // hands them over in order already.
    if (!std::is_sorted(controls.begin(), controls.end(), NameLess{}))
        sortByName(controls);
    std::size_t oldSize = items_.size();
    items_.insert(items_.end(), controls.begin(), controls.end());
    std::inplace_merge(items_.begin(), items_.begin() + static_cast<std::ptrdiff_t>(oldSize),
                       items_.end(), NameLess{});
}

const Control* ObjectList::find(std::string_view name) const {
    // Names equal with case ignored are the ones that sort alike: the first not below is it.
    auto place = std::lower_bound(items_.begin(), items_.end(), name, NameLess{});
    if (place == items_.end() || !equalIgnoringCase((*place)->name(), name))
        return nullptr;
    return *place;
}

std::optional<std::size_t> ObjectList::indexOf(std::string_view name) const {
    auto place = std::lower_bound(items_.begin(), items_.end(), name, NameLess{});
    if (place == items_.end() || !equalIgnoringCase((*place)->name(), name))
        return std::nullopt;
    return static_cast<std::size_t>(place - items_.begin());
}

} // namespace vap
