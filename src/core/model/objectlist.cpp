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
        std::sort(controls.begin(), controls.end(), NameLess{});
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
