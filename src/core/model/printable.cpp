#include "printable.h"

#include "utf8.h"

#include <cstdio>
#include <limits>

namespace vap {

namespace {

std::string printable(std::string_view text, std::size_t limit) {
    std::string out;
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size(); ++characters) {
        if (characters == limit)
            return out + "\xE2\x80\xA6"; // …
        Utf8Character c = decodeUtf8(text, at);
        char escape[8];
        if (c.codePoint == 0xFFFD && c.length == 1 &&
            static_cast<unsigned char>(text[at]) >= 0x80) {
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(text[at]));
            out += escape;
        } else if (c.codePoint < 0x20 || c.codePoint == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(c.codePoint));
            out += escape;
        } else if (c.codePoint >= 0x80 && c.codePoint <= 0x9F) {
            // The C1 controls, which terminals also obey.
            std::snprintf(escape, sizeof escape, "\\u00%02X", static_cast<unsigned>(c.codePoint));
            out += escape;
        } else {
            out.append(text.substr(at, c.length));
        }
        at += c.length;
    }
    return out;
}

} // namespace

std::string printableText(std::string_view text) {
    return printable(text, std::numeric_limits<std::size_t>::max());
}

std::string printableExcerpt(std::string_view text) {
    return printable(text, messageExcerptLength);
}

std::string printablePath(std::string_view path) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < path.size(); ++characters)
        at += decodeUtf8(path, at).length;
    if (characters <= messageExcerptLength)
        return printableText(path);
    // The end keeps the rest of the excerpt's characters, the "…" counted as one.
    std::size_t endStart = characters - (messageExcerptLength - pathStartLength - 1);
    std::size_t startBytes = 0;
    std::size_t at = 0;
    for (std::size_t character = 0; character < endStart; ++character) {
        if (character == pathStartLength)
            startBytes = at;
        at += decodeUtf8(path, at).length;
    }
    return printableText(path.substr(0, startBytes)) + "\xE2\x80\xA6" +
           printableText(path.substr(at));
}

} // namespace vap
