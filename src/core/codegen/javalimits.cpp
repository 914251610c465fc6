#include "javalimits.h"

#include "javasyntax.h"

#include "../lang/texts3.h"
#include "../model/design.h"
#include "../model/error.h"
#include "../model/printable.h"

#include <array>
#include <optional>

namespace vap {

namespace {

constexpr std::array<Texts3, 5> tooLongTexts{{
    {"A legenda é longa demais para o Java: uma string do Java tem no máximo 65.534 caracteres "
     "e 65.535 bytes em UTF-8",
     "The caption is too long for Java: a Java string holds at most 65,534 characters and "
     "65,535 bytes of UTF-8",
     "El subtítulo es demasiado largo para Java: una cadena de Java tiene como máximo 65.534 "
     "caracteres y 65.535 bytes en UTF-8"},
    {"A sugestão é longa demais para o Java: uma string do Java tem no máximo 65.534 caracteres "
     "e 65.535 bytes em UTF-8",
     "The hint is too long for Java: a Java string holds at most 65,534 characters and 65,535 "
     "bytes of UTF-8",
     "La indirecta es demasiado larga para Java: una cadena de Java tiene como máximo 65.534 "
     "caracteres y 65.535 bytes en UTF-8"},
    {"A legenda da janela é longa demais para o Java: uma string do Java tem no máximo 65.534 "
     "caracteres e 65.535 bytes em UTF-8",
     "The window's caption is too long for Java: a Java string holds at most 65,534 characters "
     "and 65,535 bytes of UTF-8",
     "El subtítulo de la ventana es demasiado largo para Java: una cadena de Java tiene como "
     "máximo 65.534 caracteres y 65.535 bytes en UTF-8"},
    {"O nome é longo demais para o Java: um nome tem no máximo 65.534 caracteres",
     "The name is too long for Java: a name has at most 65,534 characters",
     "El nombre es demasiado largo para Java: un nombre tiene como máximo 65.534 caracteres"},
    {"O nome da classe é longo demais: o Java dá o nome aos arquivos da classe, de no máximo 255 "
     "bytes; o nome pode ter até 244 bytes em UTF-8 (uma letra acentuada ocupa 2)",
     "The class name is too long: Java names the class's files after it, and a file name holds "
     "at most 255 bytes; the name may have up to 244 bytes of UTF-8 (an accented letter takes 2)",
     "El nombre de clase es demasiado largo: Java nombra los archivos de la clase con él, de "
     "como máximo 255 bytes; el nombre puede tener hasta 244 bytes en UTF-8 (una letra "
     "acentuada ocupa 2)"},
}};

constexpr Texts3 warningWord{"Aviso", "Warning", "Aviso"};
constexpr Texts3 methodTooLarge{
    "o javac recusará este código (\"code too large\"): os controles pedem % bytes de código "
    "num só método do Java, que aceita no máximo 65.535. Use menos controles ou eventos.",
    "javac will refuse this code (\"code too large\"): the controls need % bytes of code in "
    "one Java method, which takes at most 65,535. Use fewer controls or events.",
    "javac rechazará este código (\"code too large\"): los controles necesitan % bytes de "
    "código en un solo método de Java, que admite como máximo 65.535. Use menos controles o "
    "eventos."};

/** The text of the language; English for a code of no language, as the other errors are. */
std::string_view textIn(const Texts3& texts, LanguageCode lingua) {
    return texts.pick(lingua).value_or(texts.en);
}

/** The number with its thousands grouped as the language writes them. */
std::string groupedNumber(std::size_t number, LanguageCode lingua) {
    std::string digits = std::to_string(number);
    char separator = lingua.language() == Language::English || !lingua.language() ? ',' : '.';
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, separator);
    return digits;
}

// The bytes of the instructions javac writes for the statements of the window-objects code.
constexpr std::size_t loadThis = 1;      // aload_0
constexpr std::size_t loadNull = 1;      // aconst_null
constexpr std::size_t loadFlag = 1;      // iconst_0 or iconst_1
constexpr std::size_t loadConstant = 3;  // ldc_w
constexpr std::size_t loadField = 3;     // getfield
constexpr std::size_t call = 3;          // invokevirtual or invokespecial
constexpr std::size_t newObject = 3 + 1; // new, dup

std::size_t pushInt(std::int32_t value) {
    if (value >= -1 && value <= 5)
        return 1; // iconst_m1 ... iconst_5
    if (value >= -128 && value <= 127)
        return 2; // bipush
    return 3;     // sipush, or ldc_w for a number beyond 16 bits
}

std::size_t rectangleSize(const Control& control) {
    // field.setBounds(new Rectangle(left, top, width, height));
    return loadThis + loadField + newObject + pushInt(control.left()) + pushInt(control.top()) +
           pushInt(control.width()) + pushInt(control.height()) + call + call;
}

std::size_t controlCodeSize(const Control& control) {
    constexpr std::size_t addToWindow = loadThis + call + loadThis + loadField + loadNull + call;
    constexpr std::size_t addToPane = loadThis + loadField + call + loadThis + loadField +
                                      loadNull + call; // jScrollPaneN.getViewport().add(f, null)
    constexpr std::size_t listener = loadThis + loadField + newObject + loadThis + call + call;
    std::size_t size = rectangleSize(control) + addToWindow;
    if (!isBlankText(control.hint()))
        size += loadThis + loadField + loadConstant + call;
    if (control.kind() == ControlKind::List)
        size += addToPane;
    if (control.tag() > 0) {
        EventChoice events = decodeEventMask(control.tag());
        for (JavaEvent event : eventsHeaviestFirst)
            size += events.has(event) && hasListenerBlock(control.kind(), event) ? listener : 0;
    }
    return size;
}

} // namespace

JavaTextSize javaTextSize(std::string_view utf8) {
    JavaTextSize size{0, 0};
    for (char c : utf8) {
        auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xF0) { // a character beyond U+FFFF: two units of three bytes each
            size.units += 2;
            size.bytes += 3; // and its three following bytes
        } else {
            size.units += byte < 0x80 || byte >= 0xC0; // a following byte adds to its character
            size.bytes += byte == 0 ? 2 : 1;
        }
    }
    return size;
}

bool fitsJavaString(std::string_view text) {
    // No character takes more than twice its UTF-8 bytes in Java.
    if (text.size() <= maxJavaTextBytes / 2)
        return true;
    JavaTextSize size = javaTextSize(text);
    return size.units <= maxJavaStringUnits && size.bytes <= maxJavaTextBytes;
}

bool fitsComponentName(std::string_view name) {
    return name.size() <= maxComponentNameLength;
}

bool fitsClassName(std::string_view name) {
    return name.size() <= maxClassNameBytes;
}

std::size_t windowMethodCodeSize(const Design& design) {
    const DesignWindow& window = design.window();
    std::size_t size = loadThis + call + loadNull + call; // this.getContentPane().setLayout(null)
    size += loadThis + pushInt(window.width) + pushInt(window.height) + call;
    size += loadThis + loadConstant + call;                        // this.setTitle("...")
    size += (loadThis + loadFlag + call) * (window.modal ? 2 : 1); // setResizable, setModal
    for (const auto& control : design.controls())
        size += controlCodeSize(*control);
    // The example class's closing listener and the method's return.
    return size + loadThis + newObject + loadThis + call + call + 1;
}

bool fitsJava(JavaValue what, std::string_view value) {
    switch (what) {
    case JavaValue::Hint:
        return isBlankText(value) || fitsJavaString(value); // a blank hint is not written
    case JavaValue::Name:
        return fitsComponentName(value);
    case JavaValue::ClassName:
        return fitsClassName(value);
    case JavaValue::Caption:
    case JavaValue::Title:
        break;
    }
    return fitsJavaString(value);
}

std::string tooLongForJavaMessage(JavaValue what, LanguageCode lingua) {
    return std::string(textIn(tooLongTexts[static_cast<std::size_t>(what)], lingua));
}

void checkFitsJava(JavaValue what, std::string_view value, LanguageCode lingua) {
    if (!fitsJava(what, value))
        throw Error(tooLongForJavaMessage(what, lingua));
}

std::vector<JavaLimitProblem> javaLimitProblems(const Design& design, LanguageCode lingua) {
    std::vector<JavaLimitProblem> problems;
    auto tooLong = [&](JavaValue what, std::string_view value) {
        return !fitsJava(what, value) ? std::optional(tooLongForJavaMessage(what, lingua))
                                      : std::nullopt;
    };
    if (auto message = tooLong(JavaValue::Title, design.window().caption))
        problems.push_back({{}, *message});
    for (const auto& control : design.controls()) {
        if (!problems.empty())
            break;
        for (JavaValue what : {JavaValue::Name, JavaValue::Caption, JavaValue::Hint}) {
            if (what == JavaValue::Caption && !hasJavaCaption(control->kind()))
                continue;
            const std::string& value = what == JavaValue::Name      ? control->name()
                                       : what == JavaValue::Caption ? control->caption()
                                                                    : control->hint();
            if (auto message = tooLong(what, value)) {
                problems.push_back({printableExcerpt(control->name()), *message});
                break;
            }
        }
    }
    if (std::size_t size = windowMethodCodeSize(design); size > maxMethodCodeBytes) {
        std::string text(textIn(methodTooLarge, lingua));
        problems.push_back({{}, text.replace(text.find('%'), 1, groupedNumber(size, lingua))});
    }
    return problems;
}

std::vector<std::string> javaLimitWarnings(const Design& design, LanguageCode lingua) {
    std::vector<std::string> warnings;
    std::string warning(textIn(warningWord, lingua));
    for (const JavaLimitProblem& problem : javaLimitProblems(design, lingua))
        warnings.push_back(warning + (problem.control.empty() ? "" : " (" + problem.control + ")") +
                           ": " + problem.message);
    return warnings;
}

std::string javaLimitRefusal(const JavaLimitProblem& problem) {
    return problem.control.empty() ? problem.message : problem.control + ": " + problem.message;
}

} // namespace vap
