#include "windows1252.h"

#include "../model/utf8.h"

#include <algorithm>
#include <array>

namespace vap {

namespace {

// Bytes 0x80 to 0x9F. The five bytes the code page leaves unassigned map to the C1 controls of the
// same value, as the system's converter does, so that every byte survives a round trip.
constexpr std::array<char32_t, 32> highControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t codePointOf(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) ? highControls[byte - 0x80] : byte;
}

/** The byte that holds the code point, or -1. */
int byteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < highControls.size(); ++i) {
        if (highControls[i] == cp)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

} // namespace

bool isWindows1252Letter(char32_t cp) {
    if (cp >= 0xC0 && cp <= 0xFF)
        return cp != 0xD7 && cp != 0xF7;
    // Of the rest of the code page, the letters are the ordinal indicators, the micro sign and
    // the Latin extensions among the high bytes (Š, Œ, Ž, ƒ, Ÿ and their small forms).
    return cp == 0xAA || cp == 0xB5 || cp == 0xBA || (cp >= 0x100 && cp < 0x250 && byteOf(cp) >= 0);
}

std::string decodeWindows1252(std::string_view bytes) {
    bool ascii = std::all_of(bytes.begin(), bytes.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size() +
                 2 * static_cast<std::size_t>(std::count_if(bytes.begin(), bytes.end(), [](char c) {
                     return static_cast<unsigned char>(c) >= 0x80;
                 })));
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            text += c;
        else
            appendUtf8(text, codePointOf(byte));
    }
    return text;
}

std::optional<UnencodableCharacter> findUnencodable(std::string_view utf8) {
    for (std::size_t offset = 0; offset < utf8.size();) {
        if (static_cast<unsigned char>(utf8[offset]) < 0x80) {
            ++offset;
            continue;
        }
        Utf8Character decoded = decodeUtf8(utf8, offset);
        if (decoded.codePoint == 0xFFFD || byteOf(decoded.codePoint) < 0)
            return UnencodableCharacter{offset, std::string(utf8.substr(offset, decoded.length)),
                                        decoded.codePoint};
        offset += decoded.length;
    }
    return std::nullopt;
}

std::string encodeWindows1252(std::string_view utf8) {
    std::string bytes;
    appendWindows1252(bytes, utf8);
    return bytes;
}

void appendWindows1252(std::string& bytes, std::string_view utf8) {
    for (std::size_t offset = 0; offset < utf8.size();) {
        if (static_cast<unsigned char>(utf8[offset]) < 0x80) {
            bytes += utf8[offset++];
            continue;
        }
        Utf8Character decoded = decodeUtf8(utf8, offset);
        int byte = byteOf(decoded.codePoint);
        bytes += static_cast<char>(byte < 0 ? '?' : byte);
        offset += decoded.length;
    }
}

} // namespace vap
