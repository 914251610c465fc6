#pragma once

#include "../model/controlkind.h"
#include "../model/eventmask.h"

#include <string>
#include <string_view>

namespace vap {

/** How a Java listener for one event is registered and declared. */
struct ListenerSyntax {
    std::string_view kind;      // the word after ".add": Focus, Action, Mouse, Key
    std::string_view adapter;   // FocusAdapter, ActionListener, ...
    std::string_view method;    // focusLost, ...
    std::string_view eventType; // the word before "Event e) {"
};

const ListenerSyntax& listenerSyntax(JavaEvent event);

/**
 * The text as the inside of a Java string literal: backslash and double quote escaped, control
 * characters as \t \n \r \b \f or a three-digit octal escape, the C1 controls (U+0080 to
 * U+009F) as \u0080 to \u009F; everything else unchanged.
 */
std::string javaStringLiteralBody(std::string_view text);

/** Labels and lists have no action listener in Swing, so they get no action block. */
bool hasListenerBlock(ControlKind kind, JavaEvent event);

/** Lists and combo boxes are made empty: their caption is not written into the Java. */
bool hasJavaCaption(ControlKind kind);

/** Whether the text is empty once blanks and control characters are taken off both ends. */
bool isBlankText(std::string_view text);

} // namespace vap
