#include "naming.h"

#include "error.h"
#include "printable.h"
#include "utf8.h"

#include "../files/windows1252.h"

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

bool isValidClassName(std::string_view name) {
    if (name.empty())
        return false;
    for (std::size_t at = 0; at < name.size();) {
        bool first = at == 0;
        Utf8Character character = decodeUtf8(name, at);
        at += character.length;
        char32_t c = character.codePoint;
        bool letter = c < 0x80 ? isAsciiLetter(static_cast<char>(c)) || c == '_' || c == '$'
                               : isWindows1252Letter(c);
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
    return "''" + printableExcerpt(name) + "'' is not a valid component name";
}

std::string invalidClassNameMessage(std::string_view name) {
    return "''" + printableExcerpt(name) + "'' is not a valid class name";
}

void checkClassName(std::string_view name) {
    if (!isValidClassName(name))
        throw Error(invalidClassNameMessage(name));
}

std::string duplicateNameMessage(std::string_view name) {
    return "A component named " + printableExcerpt(name) + " already exists";
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
