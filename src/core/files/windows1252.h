#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vap {

/** Decodes Windows-1252 bytes to UTF-8. Every byte decodes (the five unassigned ones to C1). */
std::string decodeWindows1252(std::string_view bytes);

/** Whether the character is a letter of Windows-1252 beyond ASCII, as Java takes in names. */
bool isWindows1252Letter(char32_t codePoint);

/** Where UTF-8 text cannot be encoded: the byte offset and the character as UTF-8 text. */
struct UnencodableCharacter {
    std::size_t offset;
    std::string character; // the character, or the invalid bytes, as they stand
    char32_t codePoint;    // 0xFFFD for bytes that are not UTF-8
};

/** Encodes UTF-8 text as Windows-1252, or tells the first character that it cannot hold. */
std::optional<UnencodableCharacter> findUnencodable(std::string_view utf8);
std::string encodeWindows1252(std::string_view utf8); // text already checked by findUnencodable
void appendWindows1252(std::string& bytes, std::string_view utf8);

} // namespace vap
