#pragma once

#include "../lang/languagecode.h"

#include <string>
#include <string_view>

namespace vap {

/**
 * The refusal, in the language (English for no language), of UTF-8 text typed for the design
 * that a design file cannot hold, naming its first such character: one outside Windows-1252, a
 * line break or the end-of-file mark. Empty when a file holds the text.
 */
std::string unstorableTextMessage(std::string_view utf8, LanguageCode lingua);

/** Throws vap::Error with that refusal unless a design file holds the text. */
void checkStorableText(std::string_view utf8, LanguageCode lingua);

} // namespace vap
