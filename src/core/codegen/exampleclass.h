#pragma once

#include "commenttexts.h"
#include "generatedcode.h"

#include "../lang/datetext.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

class Design;

/** The class-name question: title, label and the value the text box starts with. */
struct ClassNamePrompt {
    std::string title;
    std::string label;
    std::string initialValue;
};

/** Answers the class-name question: the confirmed text, or nothing when the user cancels. */
using ClassNameAsker = std::function<std::optional<std::string>(const ClassNamePrompt&)>;

/** The inputs of the example class besides the design. */
struct ExampleClassContext {
    LanguageCode lingua;
    std::string NomeProduto;
    std::string TextoVersao;
    CommentTexts comments; // the three placeholders are used
    DateText date;
};

/**
 * The example class. For codes 1 to 3 it asks for the name, offering JavaClassName or, when that
 * is empty, the language's default name, and stores the answer; a cancelled question gives no
 * lines and leaves the design as it was.
 * For other codes it asks nothing, writes no header and uses the name the design holds. A name
 * that is no Java class name, too long to name the class's files, or would hide a class the
 * generated Java uses, throws vap::Error and is not stored.
 */
GeneratedCode GeraClasseExemplo(Design& design, const ExampleClassContext& context,
                                const ClassNameAsker& askClassName);

/**
 * The example class cut at its three placeholders, which are left out: the lines before the
 * objects' placeholder, those between it and the window's, between that and the controls', and
 * those after.
 */
using ExampleClassPieces = std::array<std::vector<std::string>, 4>;

/**
 * The example class named className, as GeraClasseExemplo writes it once the name is given,
 * without asking or changing the design, cut at its placeholders. Throws vap::Error for a name
 * GeraClasseExemplo refuses.
 */
ExampleClassPieces exampleClassPieces(const Design& design, const ExampleClassContext& context,
                                      const std::string& className);

/**
 * Refuses a class name that is no Java class name, that no file can be named after, or that
 * would hide a class the example class and the window-objects code pasted into it use: throws
 * vap::Error.
 */
void checkExampleClassName(std::string_view name, LanguageCode lingua);

/** The default class name of codes 1 to 3. */
std::optional<std::string> defaultClassName(LanguageCode lingua);

} // namespace vap
