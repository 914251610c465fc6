#include "applanguage.h"

namespace vap::ui {

LanguageState& appLanguage() {
    static LanguageState language;
    return language;
}

} // namespace vap::ui
