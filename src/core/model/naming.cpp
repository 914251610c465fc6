#include "naming.h"

#include "error.h"
#include "printable.h"

#include <algorithm>
#include <array>

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

} // namespace vap
