#pragma once

#include <optional>

namespace vap {

/** The three interface languages, numbered by their codes. */
enum class Language { Portuguese = 1, English = 2, Spanish = 3 };

/**
 * The language code `Lingua`: 1 Portuguese, 2 English, 3 Spanish. Any other code (0 before the
 * setting is read, or whatever number the settings file held) names no language: texts chosen by
 * it stay as they were, and it is written back unchanged.
 */
class LanguageCode {
public:
    constexpr LanguageCode() = default;
    constexpr explicit LanguageCode(int code) : code_(code) {}
    constexpr LanguageCode(Language language) : code_(static_cast<int>(language)) {}

    /** The number, as the settings file keeps it. */
    constexpr int code() const { return code_; }

    constexpr std::optional<Language> language() const {
        if (code_ < static_cast<int>(Language::Portuguese) ||
            code_ > static_cast<int>(Language::Spanish))
            return std::nullopt;
        return static_cast<Language>(code_);
    }

    friend constexpr bool operator==(LanguageCode, LanguageCode) = default;

private:
    int code_ = 0;
};

} // namespace vap
