#pragma once

#include <cstdint>
#include <string_view>

namespace vap {

/**
 * The inspector's reading of a number cell: blank text is 0; otherwise leading blanks, an
 * optional sign, then decimal digits or hexadecimal ones after "$", "x", "X", "0x" or "0X",
 * within 32 bits. Anything else (letters, trailing blanks, overflow, a sign alone) is 0.
 */
std::int32_t ValorInteiro(std::string_view text);

} // namespace vap
