#include "naming.h"

#include "error.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vap {

namespace {
bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
} // namespace

bool isValidComponentName(std::string_view name) {
    if (name.empty())
        return true;
    if (!isAsciiLetter(name.front()) && name.front() != '_')
        return false;
    return std::all_of(name.begin() + 1, name.end(),
                       [](char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == '_'; });
}

std::string invalidNameMessage(std::string_view name) {
    return "''" + std::string(name) + "'' is not a valid component name";
}

std::string duplicateNameMessage(std::string_view name) {
    return "A component named " + std::string(name) + " already exists";
}

void checkComponentName(std::string_view name) {
    if (!isValidComponentName(name))
        throw Error(invalidNameMessage(name));
}

std::string toLowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), lowerAscii);
    return lower;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

std::size_t CaseInsensitiveHash::operator()(std::string_view name) const noexcept {
    // ASCII letters differ from their other case only in bit 0x20, so hashing every byte with
    // that bit set gives names that are equal with case ignored the same hash, eight bytes a step.
    constexpr std::uint64_t caseBits = 0x2020202020202020ull;
    constexpr std::uint64_t multiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = name.size() * multiplier;
    std::size_t i = 0;
    for (; i + 8 <= name.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, name.data() + i, 8);
        hash = (hash ^ (word | caseBits)) * multiplier;
        hash ^= hash >> 29;
    }
    std::uint64_t tail = 0;
    for (std::size_t shift = 0; i < name.size(); ++i, shift += 8)
        tail |= static_cast<std::uint64_t>(static_cast<unsigned char>(name[i]) | 0x20u) << shift;
    hash = (hash ^ tail) * multiplier;
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

} // namespace vap
