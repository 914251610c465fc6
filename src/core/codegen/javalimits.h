#pragma once

#include "../lang/languagecode.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

class Design;

// What javac takes of the generated Java. The designer, vapgen and anything else that shows or
// checks the Java ask here, so that there is one rule.

/** A class file keeps a string or a name in at most this many bytes of modified UTF-8. */
inline constexpr std::size_t maxJavaTextBytes = 65535;
/** javac refuses a string constant of 65,535 UTF-16 units or more, whatever its bytes. */
inline constexpr std::size_t maxJavaStringUnits = 65534;
/**
 * A component name is ASCII, so its units are its bytes; it is held to the string limit because
 * the caption follows the name on a rename.
 */
inline constexpr std::size_t maxComponentNameLength = maxJavaStringUnits;
/**
 * The class's files are named after it: Name.java, Name.class and Name$1.class, ... for the
 * listeners, each at most 255 bytes. A window whose method fits holds under 10,000 listeners,
 * so "$9999.class" is the longest ending.
 */
inline constexpr std::size_t maxClassNameBytes = 255 - std::string_view("$9999.class").size();
/** The bytes of code one Java method may hold. */
inline constexpr std::size_t maxMethodCodeBytes = 65535;

/** The size of a text once it is a Java string, as javac counts it. */
struct JavaTextSize {
    std::size_t units; // UTF-16 code units
    std::size_t bytes; // modified UTF-8: U+0000 takes 2 bytes, a character beyond U+FFFF 6
};

/**
 * The size of UTF-8 text (as the design holds it) as a Java string. The escapes of the generated
 * literal (\n, \001, \u0085) each stand for one character of the text, so the text is counted.
 */
JavaTextSize javaTextSize(std::string_view utf8);

bool fitsJavaString(std::string_view text);
bool fitsComponentName(std::string_view name);
bool fitsClassName(std::string_view name);

/**
 * The bytes of code of the example class's method that holds the window's set-up and its
 * controls, once the window-objects code is pasted into it, as javac 17 compiles it (later
 * compilers give no more). The constructor, which holds the declarations, takes less than half
 * of that per control, so this method is the first that can grow too large. Strings and numbers
 * beyond 16 bits are counted with the long constant load, which every one of them needs once a
 * design comes near the limit; a string that the constructor loaded among its first constants
 * may take a byte less, so the count is never below javac's.
 */
std::size_t windowMethodCodeSize(const Design& design);

/** The values of a design that go into Java as strings or names. */
enum class JavaValue { Caption, Hint, Title, Name, ClassName };

/** Whether the value fits where the generated Java puts it. */
bool fitsJava(JavaValue what, std::string_view value);

/** The refusal of a value too long for Java, in the language (English for no language). */
std::string tooLongForJavaMessage(JavaValue what, LanguageCode lingua);

/** Throws vap::Error with the refusal unless the value fits. */
void checkFitsJava(JavaValue what, std::string_view value, LanguageCode lingua);

/** One reason javac would refuse the window-objects code. */
struct JavaLimitProblem {
    std::string control; // the control's name as messages quote it; empty for the window
    std::string message; // in the language
};

/**
 * Why javac would refuse the design's window-objects code: the first value that does not fit (a
 * file may hold one) and a method grown too large. Empty when it compiles.
 */
std::vector<JavaLimitProblem> javaLimitProblems(const Design& design, LanguageCode lingua);

/** The problems as the code window and vapgen warn of them, in the language. */
std::vector<std::string> javaLimitWarnings(const Design& design, LanguageCode lingua);

/** A problem as the reason for refusing to build a source javac would not compile. */
std::string javaLimitRefusal(const JavaLimitProblem& problem);

} // namespace vap
