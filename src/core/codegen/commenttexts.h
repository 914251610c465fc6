#pragma once

#include "../lang/languagecode.h"

#include <string>

namespace vap {

/** The seven comment texts that a code window chooses by language when it is created. */
struct CommentTexts {
    std::string objectsSection;
    std::string windowSection;
    std::string controlsSection;
    std::string listenerBody;
    std::string objectsPlaceholder;
    std::string windowPlaceholder;
    std::string controlsPlaceholder;
};

/** The texts of language code 1, 2 or 3; all seven are empty for any other code. */
CommentTexts commentTextsFor(LanguageCode lingua);

} // namespace vap
