#pragma once

#include "core/lang/languagecode.h"

#include <string>

namespace vap {
class Design;
}

namespace vaptest {

/**
 * The design's example class with its window-objects code pasted in as a user would: each of
 * the three sections, from its comment up to the empty line that ends it, in place of the
 * matching placeholder. `className` answers the class-name question. Lines end with LF.
 * Throws when a section comment or a placeholder is not found.
 */
std::string exampleClassWithObjects(vap::Design& design, vap::LanguageCode lingua,
                                    const std::string& className);

/** Runs a shell command; gives its exit status (-1 when it did not exit) and its output,
 *  standard error included. */
int runCommand(const std::string& command, std::string& output);

/** A path or word as one shell argument. */
std::string shellQuoted(const std::string& text);

} // namespace vaptest
