#pragma once

#include "languagecode.h"

#include <optional>
#include <string_view>

namespace vap {

/** One text in the three interface languages. */
struct Texts3 {
    std::string_view pt; // 1
    std::string_view en; // 2
    std::string_view es; // 3

    constexpr std::string_view in(Language language) const {
        switch (language) {
        case Language::Portuguese:
            return pt;
        case Language::English:
            return en;
        case Language::Spanish:
            return es;
        }
        return pt;
    }

    /** The text of the code's language; a code of no language picks nothing. */
    constexpr std::optional<std::string_view> pick(LanguageCode lingua) const {
        if (auto language = lingua.language())
            return in(*language);
        return std::nullopt;
    }
};

} // namespace vap
