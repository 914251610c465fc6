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

vap::ExampleClassContext contextFor(int code, vap::DateText date = {"Dez", 2024}) {
    const vap::LanguageCode lingua(code);
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

struct LanguageCase {
    int lingua;
    std::string caption, defaultName, title, label;
};

class ExampleClassLanguage : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(ExampleClassLanguage, AsksAndCaptionsInTheLanguage) {
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
    EXPECT_EQ(code.lines.size(), 46u); // the text itself is pinned by the golden files
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ExampleClassLanguage,
    ::testing::Values(LanguageCase{1, "Código para a Classe Exemplo", "Teste",
                                   "Gera uma Classe Exemplo", "Informe o Nome da Classe:"},
                      LanguageCase{2, "Code for the Class Example", "Test",
                                   "Generates a Class Example", "Report the Name of the Class:"},
                      LanguageCase{3, "Codifique para el Ejemplo de Clase", "Prueba",
                                   "Genera un Ejemplo de Clase", "Informe el Nombre de Clase:"}));

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

TEST(ExampleClass, CancelLeavesTheNameAndGivesNoLines) {
    Design design;
    ScriptedAsker ask{std::nullopt, {}};
    vap::GeneratedCode code = vap::GeraClasseExemplo(design, contextFor(2), ask.asker());
    EXPECT_TRUE(code.lines.empty());
    EXPECT_EQ(design.window().JavaClassName, "");

    ask.reply = "Confirmed";
    code = vap::GeraClasseExemplo(design, contextFor(1), ask.asker());
    ASSERT_EQ(ask.asked.size(), 2u);
    EXPECT_EQ(ask.asked[1].initialValue, "Teste"); // still the default, now of Portuguese
    EXPECT_EQ(code.lines.size(), 46u);
    EXPECT_EQ(design.window().JavaClassName, "Confirmed");
}

TEST(ExampleClass, CodeOutsideOneToThreeAsksNothingAndWritesNoHeader) {
    // No header: the Portuguese body starts at once, with empty comment lines.
    Design reference;
    reference.setJavaClassName("Guardada");
    const Lines portuguese = vap::GeraClasseExemplo(reference, contextFor(1), acceptOffered).lines;
    Lines body(portuguese.begin() + 6, portuguese.begin() + 32);
    for (std::string& line : body) {
        if (line.starts_with("// "))
            line.clear();
    }
    for (int lingua : {0, 4}) {
        Design design;
        design.setJavaClassName("Guardada");
        ScriptedAsker ask{"Ignored", {}};
        vap::GeneratedCode code = vap::GeraClasseExemplo(design, contextFor(lingua), ask.asker());

        EXPECT_TRUE(ask.asked.empty());
        EXPECT_EQ(code.caption, std::nullopt);
        EXPECT_EQ(design.window().JavaClassName, "Guardada");
        ASSERT_GE(code.lines.size(), 34u) << lingua;
        EXPECT_EQ(Lines(code.lines.begin(), code.lines.begin() + 26), body) << lingua;
        EXPECT_EQ(Lines(code.lines.end() - 8, code.lines.end()),
                  Lines(portuguese.end() - 8, portuguese.end()))
            << lingua;
    }
}

} // namespace
