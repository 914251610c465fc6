#include "printable.h"

#include <cstdio>

namespace vap {

std::string printableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        char escape[8];
        if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else if (byte == 0xC2 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080 to U+009F: the C1 controls, which terminals also obey.
            std::snprintf(escape, sizeof escape, "\\u00%02X",
                          static_cast<unsigned char>(text[++i]));
            out += escape;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace vap
