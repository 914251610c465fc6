#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vap {

/**
 * A whole number as the design files and number cells write it: leading blanks, an optional sign,
 * then decimal digits (or, with `hexadecimal`, also hexadecimal ones after "$", "x", "X", "0x" or
 * "0X"), nothing after, within 32 bits. Anything else gives nothing.
 */
std::optional<std::int32_t> wholeNumber(std::string_view text, bool hexadecimal = false);

/** "'TEXT' is not a valid integer value", the UTF-8 text with its control characters escaped. */
std::string notAnIntegerMessage(std::string_view text);

} // namespace vap
