#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vap {

/** One character of UTF-8 text: its code point, or U+FFFD for a byte that begins none. */
struct Utf8Character {
    char32_t codePoint;
    std::size_t length; // 1 for a byte that is not UTF-8
};

/** Decodes the character at the offset; overlong forms, surrogates and stray bytes give U+FFFD. */
Utf8Character decodeUtf8(std::string_view text, std::size_t offset);

void appendUtf8(std::string& out, char32_t codePoint);

} // namespace vap
