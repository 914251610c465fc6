#pragma once

#include <string>
#include <string_view>

namespace vap {

/**
 * The text with its control characters written as escapes (\x1B, \u009B), so that a message
 * quoting a file's bytes cannot move the cursor or recolour a terminal.
 */
std::string printableText(std::string_view text);

} // namespace vap
