#include "valorinteiro.h"

#include "wholenumber.h"

#include <algorithm>

namespace vap {

std::int32_t ValorInteiro(std::string_view text) {
    bool blank = std::all_of(text.begin(), text.end(),
                             [](char c) { return static_cast<unsigned char>(c) <= ' '; });
    if (blank)
        return 0;
    return wholeNumber(text, true).value_or(0);
}

} // namespace vap
