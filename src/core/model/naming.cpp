#include "naming.h"

#include "error.h"
#include "printable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <random>

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
    if (name.empty() || (!isAsciiLetter(name.front()) && name.front() != '_'))
        return false;
    return std::all_of(name.begin() + 1, name.end(),
                       [](char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == '_'; }) &&
           !isJavaReservedWord(name);
}

bool isJavaReservedWord(std::string_view word) {
    static constexpr std::array<std::string_view, 54> reserved{
        "_",       "abstract",  "assert",       "boolean",  "break",      "byte",    "case",
        "catch",   "char",      "class",        "const",    "continue",   "default", "do",
        "double",  "else",      "enum",         "extends",  "false",      "final",   "finally",
        "float",   "for",       "goto",         "if",       "implements", "import",  "instanceof",
        "int",     "interface", "long",         "native",   "new",        "null",    "package",
        "private", "protected", "public",       "return",   "short",      "static",  "strictfp",
        "super",   "switch",    "synchronized", "this",     "throw",      "throws",  "transient",
        "true",    "try",       "void",         "volatile", "while"};
    return std::find(reserved.begin(), reserved.end(), word) != reserved.end();
}

namespace {
/**
 * The next character of UTF-8 text as a code point, or U+FFFD for a byte that does not begin
 * one; `at` moves past it.
 */
char32_t nextCodePoint(std::string_view text, std::size_t& at) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(at++);
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || at + static_cast<std::size_t>(extra) > text.size())
        return 0xFFFD;
    char32_t point = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if ((byte(at) & 0xC0) != 0x80)
            return 0xFFFD;
        point = (point << 6) | (byte(at++) & 0x3F);
    }
    return point;
}

/** The letters of Windows-1252 beyond ASCII, which Java takes in identifiers. */
bool isLetterBeyondAscii(char32_t c) {
    if (c >= 0xC0 && c <= 0xFF)
        return c != 0xD7 && c != 0xF7;
    switch (c) {
    case 0xAA:
    case 0xB5:
    case 0xBA:
    case 0x152:
    case 0x153:
    case 0x160:
    case 0x161:
    case 0x178:
    case 0x17D:
    case 0x17E:
    case 0x192:
        return true;
    default:
        return false;
    }
}
} // namespace

bool isValidClassName(std::string_view name) {
    if (name.empty())
        return false;
    for (std::size_t at = 0; at < name.size();) {
        bool first = at == 0;
        char32_t c = nextCodePoint(name, at);
        bool letter = c < 0x80 ? isAsciiLetter(static_cast<char>(c)) || c == '_' || c == '$'
                               : isLetterBeyondAscii(c);
        if (!letter && (first || c >= 0x80 || !isAsciiDigit(static_cast<char>(c))))
            return false;
    }
    // Besides the reserved words, these may name a variable but not a type.
    for (std::string_view word : {"var", "yield", "record", "sealed", "permits"}) {
        if (name == word)
            return false;
    }
    return !isJavaReservedWord(name);
}

std::string invalidNameMessage(std::string_view name) {
    return "''" + printableText(name) + "'' is not a valid component name";
}

std::string invalidClassNameMessage(std::string_view name) {
    return "''" + printableText(name) + "'' is not a valid class name";
}

void checkClassName(std::string_view name) {
    if (!isValidClassName(name))
        throw Error(invalidClassNameMessage(name));
}

std::string duplicateNameMessage(std::string_view name) {
    return "A component named " + printableText(name) + " already exists";
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

std::uint64_t processHashSeed() noexcept {
    static const std::uint64_t seed = [] {
        std::random_device source;
        return (std::uint64_t{source()} << 32) ^ source();
    }();
    return seed;
}

std::uint64_t caseInsensitiveHash(std::string_view name, std::uint64_t seed) noexcept {
    // ASCII letters differ from their other case only in bit 0x20, so hashing every byte with
    // that bit set gives names that are equal with case ignored the same hash, eight bytes a step.
    constexpr std::uint64_t caseBits = 0x2020202020202020ull;
    constexpr std::uint64_t multiplier = 0x9E3779B97F4A7C15ull;
    std::uint64_t hash = seed ^ (name.size() * multiplier);
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
    // A full avalanche, so that every bit of the table's index depends on the seed and every byte.
    hash ^= hash >> 33;
    hash *= 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 33;
    hash *= 0xC4CEB9FE1A85EC53ull;
    return hash ^ (hash >> 33);
}

std::size_t CaseInsensitiveHash::operator()(std::string_view name) const noexcept {
    return static_cast<std::size_t>(caseInsensitiveHash(name, processHashSeed()));
}

} // namespace vap
