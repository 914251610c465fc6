#pragma once

#include <string>
#include <string_view>

namespace vap {

/** A component name is empty or an identifier: an ASCII letter or '_', then letters, digits, '_'.
 */
bool isValidComponentName(std::string_view name);

/** "''NAME'' is not a valid component name" */
std::string invalidNameMessage(std::string_view name);

/** "A component named NAME already exists" */
std::string duplicateNameMessage(std::string_view name);

/** Throws the invalid-name error unless the name is a valid component name. */
void checkComponentName(std::string_view name);

std::string toLowerAscii(std::string_view text);

bool equalIgnoringCase(std::string_view a, std::string_view b);

/** Hash and equality of names with ASCII case ignored, for lookups without lower-cased copies. */
struct CaseInsensitiveHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const noexcept;
};
struct CaseInsensitiveEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept {
        return equalIgnoringCase(a, b);
    }
};

} // namespace vap
