#include "naming.h"

#include "error.h"

#include <algorithm>

namespace vap {

namespace {
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
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
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::size_t CaseInsensitiveHash::operator()(std::string_view name) const noexcept {
    std::size_t hash = 14695981039346656037ull; // FNV-1a over the lower-cased bytes
    for (char c : name) {
        hash ^= static_cast<unsigned char>(lowerAscii(c));
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace vap
