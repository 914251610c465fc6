#pragma once

#include <optional>
#include <string_view>

namespace vap {

/** The three interface languages. */
enum class Language { Portuguese, English, Spanish };

/** The language of code 1, 2 or 3; any other code has none, and its texts stay as they were. */
constexpr std::optional<Language> languageOf(int lingua) {
    switch (lingua) {
    case 1:
        return Language::Portuguese;
    case 2:
        return Language::English;
    case 3:
        return Language::Spanish;
    default:
        return std::nullopt;
    }
}

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

    /** The text of language code 1, 2 or 3; any other code picks nothing. */
    constexpr std::optional<std::string_view> pick(int lingua) const {
        if (auto language = languageOf(lingua))
            return in(*language);
        return std::nullopt;
    }
};

} // namespace vap
