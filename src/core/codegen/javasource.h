#pragma once

#include "exampleclass.h"
#include "generatedcode.h"

#include <optional>
#include <string>
#include <vector>

namespace vap {

class Design;

/** One complete Java source file of the design, as javac takes it. */
struct JavaSource {
    std::string className; // the file is className + ".java"
    std::vector<std::string> lines;
    /** Why javac would refuse it, in the language, one reason a line; empty when it compiles. */
    std::vector<std::string> refusals;
};

/**
 * The example class named className with the design's window-objects code pasted over its three
 * placeholders as a user pastes it: each section from its comment up to the empty line that
 * ends it. Reads the design and changes nothing. A class or control name the generators refuse
 * throws vap::Error; values too long for Java are told in refusals.
 */
JavaSource composeJavaSource(const Design& design, const ExampleClassContext& context,
                             const std::string& className);

/**
 * The lines of composeJavaSource handed to the sink one at a time as they are made, so that a
 * large source is never held whole. A name the generators refuse throws vap::Error before the
 * first line; values too long for Java are not looked at (checkJavaSource is).
 */
void writeJavaSource(const Design& design, const ExampleClassContext& context,
                     const std::string& className, LineSink& sink);

/**
 * Throws vap::Error with the first reason composeJavaSource would give for a source that does
 * not compile: a control or class name the generators refuse, else the first of its refusals.
 * Looks at the design only, so that a design far too large for Java costs nothing more.
 */
void checkJavaSource(const Design& design, const ExampleClassContext& context,
                     const std::string& className);

/**
 * The name of the complete class: the one given, else the design's, else the language's default
 * (the Portuguese one for a code of no language), as the example class names it.
 */
std::string javaSourceClassName(const Design& design, LanguageCode lingua,
                                const std::optional<std::string>& given = std::nullopt);

} // namespace vap
