#include "exampleclass.h"

#include "javalimits.h"

#include "../lang/texts3.h"
#include "../model/design.h"
#include "../model/error.h"
#include "../model/naming.h"

namespace vap {

namespace {

constexpr Texts3 codeWindowCaption{"Código para a Classe Exemplo", "Code for the Class Example",
                                   "Codifique para el Ejemplo de Clase"};
constexpr Texts3 defaultName{"Teste", "Test", "Prueba"};
constexpr Texts3 promptTitle{"Gera uma Classe Exemplo", "Generates a Class Example",
                             "Genera un Ejemplo de Clase"};
constexpr Texts3 promptLabel{
    "Informe o Nome da Classe:", "Report the Name of the Class:", "Informe el Nombre de Clase:"};

constexpr Texts3 headerClass{"/* CLASSE ", "/* CLASS ", "/* CLASE "};
constexpr std::string_view headerRule = " * ------------------------------------";
constexpr Texts3 headerProject{" * Projeto..:", " * Project....:", " * Proyecto...:"};
constexpr Texts3 headerDescription{" * Descrição:", " * Description:", " * Descripción:"};
constexpr Texts3 headerDate{" * Data.....: ", " * Date.......: ", " * Fecha......: "};
constexpr Texts3 headerAuthor{" * Autor....: ", " * Author.....: ", " * Autor......: "};
constexpr Texts3 headerGenerator{" - Gerador Automático", " - Automatic Generator",
                                 " - Generador Automático"};
constexpr Texts3 closingMethod{"aoFechar", "whenClosing", "alCerrar"};

/** The text of the language; callers have checked that the code has one. */
std::string text(const Texts3& texts, LanguageCode lingua) {
    return std::string(texts.pick(lingua).value_or(std::string_view{}));
}

std::vector<std::string> headerLines(const ExampleClassContext& context,
                                     const std::string& className) {
    LanguageCode lingua = context.lingua;
    return {
        text(headerClass, lingua) + className,
        std::string(headerRule),
        text(headerProject, lingua),
        text(headerDescription, lingua),
        text(headerDate, lingua) + context.date.monthAbbrev + " - " +
            std::to_string(context.date.year),
        text(headerAuthor, lingua) + context.NomeProduto + " " + context.TextoVersao +
            text(headerGenerator, lingua),
    };
}

void appendBody(ExampleClassPieces& pieces, const ExampleClassContext& context,
                const std::string& className, bool modal) {
    // A code outside 1 to 3 keeps the Portuguese method name, so that the class still compiles.
    std::string closing(closingMethod.pick(context.lingua).value_or(closingMethod.pt));
    std::string base = modal ? "JDialog" : "JFrame";
    std::size_t piece = 0;
    auto put = [&](std::initializer_list<std::string> some) {
        pieces[piece].insert(pieces[piece].end(), some.begin(), some.end());
    };
    auto placeholder = [&] { ++piece; };
    put({" */", "", "import java.awt.*;", "import java.awt.event.*;", "import javax.swing.*;", "",
         "public class " + className + " extends " + base + " {", ""});
    placeholder(); // the objects' declarations
    put({"", "  public " + className + "() {", "    try {", "      mostra();",
         "    } catch(Exception ex) {", "      ex.printStackTrace();", "    }", "  }", "",
         "  public void mostra() throws Exception {", ""});
    placeholder(); // the window's set-up
    put({""});
    placeholder(); // the controls' placement
    put({"", "    this.addWindowListener(new java.awt.event.WindowAdapter() {",
         "      public void windowClosing(WindowEvent e) {", "        " + closing + "(e);",
         "      }", "    });", "  }", "", "  private void " + closing + "(WindowEvent e) {",
         "    System.exit(0);", "  }", "", "  public static void main(String args[]) {",
         "    " + className + " janela = new " + className + "();", "    janela.show();", "  }",
         "}"});
}

} // namespace

std::optional<std::string> defaultClassName(LanguageCode lingua) {
    if (auto name = defaultName.pick(lingua))
        return std::string(*name);
    return std::nullopt;
}

void checkExampleClassName(std::string_view name, LanguageCode lingua) {
    checkClassName(name);
    checkFitsJava(JavaValue::ClassName, name, lingua);
    static constexpr std::string_view usedNames[] = {
        "System",         "String",         "Exception",    "WindowEvent", "JFrame",
        "JDialog",        "Rectangle",      "JScrollPane",  "JLabel",      "JTextField",
        "JPasswordField", "JButton",        "JList",        "JComboBox",   "KeyAdapter",
        "MouseAdapter",   "ActionListener", "FocusAdapter", "KeyEvent",    "MouseEvent",
        "ActionEvent",    "FocusEvent",     "java"};
    for (std::string_view used : usedNames) {
        if (name == used)
            throw Error("A class named " + std::string(name) + " hides the " + std::string(used) +
                        " that the generated Java uses");
    }
}

ExampleClassPieces exampleClassPieces(const Design& design, const ExampleClassContext& context,
                                      const std::string& className) {
    checkExampleClassName(className, context.lingua);
    ExampleClassPieces pieces;
    if (codeWindowCaption.pick(context.lingua))
        pieces[0] = headerLines(context, className);
    appendBody(pieces, context, className, design.window().modal);
    return pieces;
}

GeneratedCode GeraClasseExemplo(Design& design, const ExampleClassContext& context,
                                const ClassNameAsker& askClassName) {
    GeneratedCode code;
    LanguageCode lingua = context.lingua;
    if (codeWindowCaption.pick(lingua)) {
        code.caption = text(codeWindowCaption, lingua);
        // The default is offered, not set: a cancelled or refused question leaves the design.
        std::string offered = design.window().JavaClassName.empty()
                                  ? std::string(text(defaultName, lingua))
                                  : design.window().JavaClassName;
        std::optional<std::string> answer = askClassName(
            ClassNamePrompt{text(promptTitle, lingua), text(promptLabel, lingua), offered});
        if (!answer)
            return code;
        checkExampleClassName(*answer, lingua);
        design.setJavaClassName(*answer);
    }
    ExampleClassPieces pieces = exampleClassPieces(design, context, design.window().JavaClassName);
    const CommentTexts& comments = context.comments;
    const std::string* placeholders[] = {&comments.objectsPlaceholder, &comments.windowPlaceholder,
                                         &comments.controlsPlaceholder};
    code.lines = std::move(pieces[0]);
    for (std::size_t i = 0; i < 3; ++i) {
        code.lines.push_back(*placeholders[i]);
        code.lines.insert(code.lines.end(), pieces[i + 1].begin(), pieces[i + 1].end());
    }
    return code;
}

} // namespace vap
