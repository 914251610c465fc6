#pragma once

#include <optional>
#include <string_view>

namespace vap {

/** One text in the three interface languages. */
struct Texts3 {
    std::string_view pt; // 1
    std::string_view en; // 2
    std::string_view es; // 3

    /** The text of language code 1, 2 or 3; any other code picks nothing. */
    std::optional<std::string_view> pick(int lingua) const {
        switch (lingua) {
        case 1:
            return pt;
        case 2:
            return en;
        case 3:
            return es;
        default:
            return std::nullopt;
        }
    }
};

} // namespace vap
