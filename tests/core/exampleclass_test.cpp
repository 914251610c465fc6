#include "core/codegen/commenttexts.h"
#include "core/codegen/exampleclass.h"
#include "core/lang/language.h"
#include "core/model/design.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAreArray;
using vap::ClassNamePrompt;
using vap::Design;

using Lines = std::vector<std::string>;

vap::ExampleClassContext contextFor(int lingua, vap::DateText date = {"Dez", 2024}) {
    vap::LanguageState language = vap::languageApplied(lingua);
    return vap::ExampleClassContext{lingua, language.NomeProduto, language.TextoVersao,
                                    vap::commentTextsFor(lingua), std::move(date)};
}

/** Answers every question with a fixed reply and remembers the questions. */
struct ScriptedAsker {
    std::optional<std::string> reply;
    std::vector<ClassNamePrompt> asked;

    vap::ClassNameAsker asker() {
        return [this](const ClassNamePrompt& prompt) {
            asked.push_back(prompt);
            return reply;
        };
    }
};

/** Accepts whatever the prompt offers. */
std::optional<std::string> acceptOffered(const ClassNamePrompt& prompt) {
    return prompt.initialValue;
}

const Lines portugueseClass{
    "/* CLASSE Teste",
    " * ------------------------------------",
    " * Projeto..:",
    " * Descrição:",
    " * Data.....: Dez - 2024",
    " * Autor....: Vaporina versão 1.02 - Gerador Automático",
    " */",
    "",
    "import java.awt.*;",
    "import java.awt.event.*;",
    "import javax.swing.*;",
    "",
    "public class Teste extends JFrame {",
    "",
    "// Insira aqui os dados da Criação dos Objetos",
    "",
    "  public Teste() {",
    "    try {",
    "      mostra();",
    "    } catch(Exception ex) {",
    "      ex.printStackTrace();",
    "    }",
    "  }",
    "",
    "  public void mostra() throws Exception {",
    "",
    "// Insira aqui os dados da Criação da Janela",
    "",
    "// Insira aqui os dados da Criação dos Controles na Janela",
    "",
    "    this.addWindowListener(new java.awt.event.WindowAdapter() {",
    "      public void windowClosing(WindowEvent e) {",
    "        aoFechar(e);",
    "      }",
    "    });",
    "  }",
    "",
    "  private void aoFechar(WindowEvent e) {",
    "    System.exit(0);",
    "  }",
    "",
    "  public static void main(String args[]) {",
    "    Teste janela = new Teste();",
    "    janela.show();",
    "  }",
    "}",
};

TEST(ExampleClass, PortugueseFirstRun) {
    Design design;
    ScriptedAsker ask{std::nullopt, {}};
    ask.reply = "Teste";
    vap::GeneratedCode code = vap::GeraClasseExemplo(design, contextFor(1), ask.asker());

    EXPECT_EQ(code.caption, "Código para a Classe Exemplo");
    EXPECT_THAT(code.lines, ElementsAreArray(portugueseClass));
    ASSERT_EQ(ask.asked.size(), 1u);
    EXPECT_EQ(ask.asked[0].title, "Gera uma Classe Exemplo");
    EXPECT_EQ(ask.asked[0].label, "Informe o Nome da Classe:");
    EXPECT_EQ(ask.asked[0].initialValue, "Teste");
    EXPECT_EQ(design.window().JavaClassName, "Teste");
}

struct LanguageCase {
    int lingua;
    std::string caption, defaultName, title, label;
    Lines header; // with [class] = Sample, date "Mar - 1999"
    std::string closer;
    Lines placeholders;
};

class ExampleClassLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(ExampleClassLanguage, FortySixLines) {
    const LanguageCase& param = GetParam();
    Design design;
    ScriptedAsker ask{"Sample", {}};
    vap::GeneratedCode code =
        vap::GeraClasseExemplo(design, contextFor(param.lingua, {"Mar", 1999}), ask.asker());

    ASSERT_EQ(ask.asked.size(), 1u);
    EXPECT_EQ(ask.asked[0].title, param.title);
    EXPECT_EQ(ask.asked[0].label, param.label);
    EXPECT_EQ(ask.asked[0].initialValue, param.defaultName);
    EXPECT_EQ(code.caption, param.caption);
    EXPECT_EQ(design.window().JavaClassName, "Sample");

    // The Portuguese class with this language's header, method name, placeholders and class name.
    Lines expected = param.header;
    for (std::size_t i = 6; i < portugueseClass.size(); ++i) {
        std::string line = portugueseClass[i];
        for (std::size_t at; (at = line.find("Teste")) != std::string::npos;)
            line.replace(at, 5, "Sample");
        if (auto at = line.find("aoFechar"); at != std::string::npos)
            line.replace(at, 8, param.closer);
        expected.push_back(line);
    }
    expected[14] = param.placeholders[0];
    expected[26] = param.placeholders[1];
    expected[28] = param.placeholders[2];
    ASSERT_EQ(expected.size(), 46u);
    EXPECT_THAT(code.lines, ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ExampleClassLanguage,
    ::testing::Values(
        LanguageCase{1,
                     "Código para a Classe Exemplo",
                     "Teste",
                     "Gera uma Classe Exemplo",
                     "Informe o Nome da Classe:",
                     {"/* CLASSE Sample", " * ------------------------------------",
                      " * Projeto..:", " * Descrição:", " * Data.....: Mar - 1999",
                      " * Autor....: Vaporina versão 1.02 - Gerador Automático"},
                     "aoFechar",
                     {"// Insira aqui os dados da Criação dos Objetos",
                      "// Insira aqui os dados da Criação da Janela",
                      "// Insira aqui os dados da Criação dos Controles na Janela"}},
        LanguageCase{2,
                     "Code for the Class Example",
                     "Test",
                     "Generates a Class Example",
                     "Report the Name of the Class:",
                     {"/* CLASS Sample", " * ------------------------------------",
                      " * Project....:", " * Description:", " * Date.......: Mar - 1999",
                      " * Author.....: Vaporina version 1.02 - Automatic Generator"},
                     "whenClosing",
                     {"// It inserts the data of the Creation of the Objects here",
                      "// It inserts the data of the Creation of the Window here",
                      "// It inserts the data of the Creation of the Controls here in the "
                      "Window"}},
        LanguageCase{3,
                     "Codifique para el Ejemplo de Clase",
                     "Prueba",
                     "Genera un Ejemplo de Clase",
                     "Informe el Nombre de Clase:",
                     {"/* CLASE Sample", " * ------------------------------------",
                      " * Proyecto...:", " * Descripción:", " * Fecha......: Mar - 1999",
                      " * Autor......: Vaporina versión 1.02 - Generador Automático"},
                     "alCerrar",
                     {"// Inserta los datos de la Creación de los Objetos aquí",
                      "// Inserta los datos de la Creación de la Ventana aquí",
                      "// Inserta los datos de la Creación de los Mandos aquí en la Ventana"}}));

TEST(ExampleClass, PromptOffersRememberedNameInAnyLanguage) {
    Design design;
    ScriptedAsker ask{"Cadastro", {}};
    vap::GeraClasseExemplo(design, contextFor(1), ask.asker());
    ask.reply = "Outro";
    vap::GeneratedCode code = vap::GeraClasseExemplo(design, contextFor(2), ask.asker());

    ASSERT_EQ(ask.asked.size(), 2u);
    EXPECT_EQ(ask.asked[0].initialValue, "Teste");
    EXPECT_EQ(ask.asked[1].initialValue, "Cadastro");
    EXPECT_EQ(design.window().JavaClassName, "Outro");
    EXPECT_EQ(code.lines.at(0), "/* CLASS Outro");
}

TEST(ExampleClass, NameFromTheDesignIsOffered) {
    Design design;
    design.setJavaClassName("Janela_1");
    ScriptedAsker ask{std::nullopt, {}};
    vap::GeraClasseExemplo(design, contextFor(3), ask.asker());
    ASSERT_EQ(ask.asked.size(), 1u);
    EXPECT_EQ(ask.asked[0].initialValue, "Janela_1");
    EXPECT_EQ(design.window().JavaClassName, "Janela_1");
}

TEST(ExampleClass, CancelKeepsDefaultNameAndGivesNoLines) {
    Design design;
    ScriptedAsker ask{std::nullopt, {}};
    vap::GeneratedCode code = vap::GeraClasseExemplo(design, contextFor(2), ask.asker());
    EXPECT_TRUE(code.lines.empty());
    EXPECT_EQ(design.window().JavaClassName, "Test");

    ask.reply = "Confirmed";
    code = vap::GeraClasseExemplo(design, contextFor(1), ask.asker());
    ASSERT_EQ(ask.asked.size(), 2u);
    EXPECT_EQ(ask.asked[1].initialValue, "Test");
    EXPECT_EQ(code.lines.size(), 46u);
    EXPECT_EQ(design.window().JavaClassName, "Confirmed");
}

TEST(ExampleClass, ConfirmedNameIsUsedUnchanged) {
    Design design;
    ScriptedAsker ask{"Relação", {}};
    Lines lines = vap::GeraClasseExemplo(design, contextFor(1), ask.asker()).lines;
    EXPECT_EQ(design.window().JavaClassName, "Relação");
    EXPECT_EQ(lines[0], "/* CLASSE Relação");
    EXPECT_EQ(lines[12], "public class Relação extends JFrame {");
}

TEST(ExampleClass, ModalWindowExtendsJDialog) {
    Design design;
    design.setModal(true);
    Lines lines = vap::GeraClasseExemplo(design, contextFor(1), acceptOffered).lines;
    ASSERT_EQ(lines.size(), 46u);
    EXPECT_EQ(lines[12], "public class Teste extends JDialog {");
    design.setModal(false);
    design.setResizable(true);
    lines = vap::GeraClasseExemplo(design, contextFor(1), acceptOffered).lines;
    EXPECT_EQ(lines[12], "public class Teste extends JFrame {");
}

TEST(ExampleClass, CodeOutsideOneToThreeAsksNothingAndWritesNoHeader) {
    for (int lingua : {0, 4, -2}) {
        for (std::string held : {"Guardada"}) {
            Design design;
            design.setJavaClassName(held);
            ScriptedAsker ask{"Ignored", {}};
            vap::GeneratedCode code =
                vap::GeraClasseExemplo(design, contextFor(lingua), ask.asker());

            EXPECT_TRUE(ask.asked.empty());
            EXPECT_EQ(code.caption, std::nullopt);
            EXPECT_EQ(design.window().JavaClassName, held);
            ASSERT_GE(code.lines.size(), 34u) << lingua;
            // No header: the body starts at once, with empty placeholders.
            Lines expected(portugueseClass.begin() + 6, portugueseClass.begin() + 32);
            for (std::string& line : expected) {
                for (std::size_t at; (at = line.find("Teste")) != std::string::npos;)
                    line.replace(at, 5, held);
                if (line.starts_with("// "))
                    line.clear();
            }
            EXPECT_EQ(Lines(code.lines.begin(), code.lines.begin() + 26), expected) << lingua;
            Lines tail(portugueseClass.end() - 8, portugueseClass.end());
            tail[4] = "    " + held + " janela = new " + held + "();";
            EXPECT_EQ(Lines(code.lines.end() - 8, code.lines.end()), tail) << lingua;
        }
    }
}

TEST(ExampleClass, DefaultClassNames) {
    EXPECT_EQ(vap::defaultClassName(1), "Teste");
    EXPECT_EQ(vap::defaultClassName(2), "Test");
    EXPECT_EQ(vap::defaultClassName(3), "Prueba");
    EXPECT_EQ(vap::defaultClassName(0), std::nullopt);
}

} // namespace
