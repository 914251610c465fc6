#include "windows1252.h"

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

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
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

struct Decoded {
    char32_t codePoint; // 0xFFFD when the bytes are not UTF-8
    std::size_t length;
};

/** Decodes one UTF-8 character at the offset, rejecting overlong and surrogate forms. */
Decoded decodeUtf8(std::string_view text, std::size_t offset) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[offset + i]); };
    unsigned char lead = byte(0);
    std::size_t length = lead < 0x80   ? 1
                         : lead < 0xC2 ? 0
                         : lead < 0xE0 ? 2
                         : lead < 0xF0 ? 3
                         : lead < 0xF5 ? 4
                                       : 0;
    if (length == 0 || offset + length > text.size())
        return {0xFFFD, 1};
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return {0xFFFD, 1};
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return {0xFFFD, 1};
    return {cp, length};
}

} // namespace

std::string decodeWindows1252(std::string_view bytes) {
    bool ascii = std::all_of(bytes.begin(), bytes.end(),
                             [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return std::string(bytes);
    std::string text;
    text.reserve(bytes.size());
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
        Decoded decoded = decodeUtf8(utf8, offset);
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
        Decoded decoded = decodeUtf8(utf8, offset);
        int byte = byteOf(decoded.codePoint);
        bytes += static_cast<char>(byte < 0 ? '?' : byte);
        offset += decoded.length;
    }
}

} // namespace vap
