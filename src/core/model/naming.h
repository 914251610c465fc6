#pragma once

#include <string>
#include <string_view>

namespace vap {

/**
 * A component name is an identifier (an ASCII letter or '_', then letters, digits, '_') that Java
 * can take as a variable: not empty and not a reserved word.
 */
bool isValidComponentName(std::string_view name);

/** Java's keywords, '_' and the literals true, false and null, compared with case. */
bool isJavaReservedWord(std::string_view word);

/**
 * A class name is a Java identifier (a letter, '_' or '$', then also digits; letters beyond
 * ASCII as far as a design file can store them) that is not reserved and may name a type.
 */
bool isValidClassName(std::string_view name);

/** "''NAME'' is not a valid class name" */
std::string invalidClassNameMessage(std::string_view name);

/** Throws the invalid-class-name error unless the name is a valid class name. */
void checkClassName(std::string_view name);

/** "''NAME'' is not a valid component name" */
std::string invalidNameMessage(std::string_view name);

/** "A component named NAME already exists" */
std::string duplicateNameMessage(std::string_view name);

/** Throws the invalid-name error unless the name is a valid component name. */
void checkComponentName(std::string_view name);

std::string toLowerAscii(std::string_view text);

bool equalIgnoringCase(std::string_view a, std::string_view b);

} // namespace vap
