#include "javasyntax.h"

#include <algorithm>
#include <array>

namespace vap {

namespace {
// Indexed by inspector item: key pressed, mouse clicked, action performed, focus gained, lost.
constexpr std::array<ListenerSyntax, javaEventCount> listeners{{
    {"Key", "KeyAdapter", "keyPressed", "Key"},
    {"Mouse", "MouseAdapter", "mouseClicked", "Mouse"},
    {"Action", "ActionListener", "actionPerformed", "Action"},
    {"Focus", "FocusAdapter", "focusGained", "Focus"},
    {"Focus", "FocusAdapter", "focusLost", "Focus"},
}};

constexpr char hexDigits[] = "0123456789ABCDEF";

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}
} // namespace

const ListenerSyntax& listenerSyntax(JavaEvent event) {
    return listeners[static_cast<std::size_t>(eventItem(event))];
}

bool hasListenerBlock(ControlKind kind, JavaEvent event) {
    return event != JavaEvent::ActionPerformed ||
           (kind != ControlKind::Label && kind != ControlKind::List);
}

bool hasJavaCaption(ControlKind kind) {
    return kind != ControlKind::List && kind != ControlKind::ComboBox;
}

std::string javaStringLiteralBody(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (std::size_t at = 0; at < text.size(); ++at) {
        char c = text[at];
        auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '"':
            escaped += "\\\"";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\r':
            escaped += "\\r";
            break;
        case '\b':
            escaped += "\\b";
            break;
        case '\f':
            escaped += "\\f";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F) {
                escaped += '\\';
                escaped += static_cast<char>('0' + ((byte >> 6) & 7));
                escaped += static_cast<char>('0' + ((byte >> 3) & 7));
                escaped += static_cast<char>('0' + (byte & 7));
            } else if (byte == 0xC2 && at + 1 < text.size() &&
                       (static_cast<unsigned char>(text[at + 1]) & 0xE0) == 0x80) {
                // A C1 control (U+0080 to U+009F, as the file's five unassigned bytes read):
                // invisible in an editor and obeyed by terminals, so written as an escape.
                escaped += "\\u00";
                escaped += hexDigits[static_cast<unsigned char>(text[++at]) >> 4];
                escaped += hexDigits[static_cast<unsigned char>(text[at]) & 0xF];
            } else {
                escaped += c;
            }
        }
    }
    return escaped;
}

bool isBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isBlankOrControl);
}

} // namespace vap
