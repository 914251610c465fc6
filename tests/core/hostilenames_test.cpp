// Names that would give Java that cannot compile: refused where they enter, or, where they break
// the Java only beside another name, reported by the generator instead of writing it.
#include "core/codegen/commenttexts.h"
#include "core/codegen/exampleclass.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/support/errorof.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using vaptest::errorOf;

struct NameCase {
    std::string name;
    std::string message; // "" when the name is taken
};

const std::string reservedControl = " is not a valid component name";
const std::string notAClass = " is not a valid class name";

class ControlName : public testing::TestWithParam<NameCase> {};

// The inspector's rename and the loader apply the same rule, with the same message.
TEST_P(ControlName, IsRefusedByRenameAndLoaderAlike) {
    const NameCase& c = GetParam();
    std::string expected = c.message.empty() ? "" : "''" + c.name + "''" + c.message;
    vap::Design design;
    const vap::Control& label = vap::CriaJLabel(design, true);
    EXPECT_EQ(errorOf([&] { design.rename(label, c.name); }), expected);
    EXPECT_EQ(label.name(), c.message.empty() ? c.name : "JLabel1");
    EXPECT_EQ(
        errorOf([&] { vap::parseDesignFile("LAB:1:2:3:4:0\r\nx\r\n" + c.name + "\r\n\r\n"); }),
        expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ControlName,
    testing::Values(NameCase{"", reservedControl}, NameCase{"class", reservedControl},
                    NameCase{"this", reservedControl}, NameCase{"_", reservedControl},
                    NameCase{"null", reservedControl}, NameCase{"true", reservedControl},
                    NameCase{"goto", reservedControl}, NameCase{"Class", ""}, NameCase{"var", ""},
                    NameCase{"__", ""}));

class ClassName : public testing::TestWithParam<NameCase> {};

// The prompt's answer, and a name the file brought, are checked before any line is written;
// a refused answer is not stored.
TEST_P(ClassName, IsCheckedFromThePromptAndFromTheFile) {
    const NameCase& c = GetParam();
    vap::ExampleClassContext context{vap::Language::Portuguese,
                                     "Vaporina",
                                     "1.02",
                                     vap::commentTextsFor(vap::Language::Portuguese),
                                     {"Dez", 2024}};
    vap::Design design;
    design.setJavaClassName("Antigo");
    std::string message = errorOf(
        [&] { vap::GeraClasseExemplo(design, context, [&](const auto&) { return c.name; }); });
    EXPECT_TRUE(message.starts_with(c.message)) << message;
    EXPECT_EQ(message.empty(), c.message.empty()) << message;
    EXPECT_EQ(design.window().JavaClassName, c.message.empty() ? c.name : "Antigo");

    // A language outside 1 to 3 asks nothing and takes the name the design holds.
    vap::Design fromFile;
    fromFile.setJavaClassName(c.name);
    context.lingua = vap::LanguageCode(4);
    EXPECT_EQ(errorOf([&] { vap::GeraClasseExemplo(fromFile, context, nullptr); }), message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClassName,
    testing::Values(NameCase{"", "''''" + notAClass},
                    NameCase{"Teste */ import java.io.*; /*", "''Teste */ import"},
                    NameCase{"class", "''class''" + notAClass},
                    NameCase{"var", "''var''" + notAClass}, NameCase{"1a", "''1a''" + notAClass},
                    NameCase{"Janela\x1B[2J", "''Janela\\x1B[2J''" + notAClass},
                    NameCase{"System", "A class named System hides the System"},
                    NameCase{"JFrame", "A class named JFrame hides the JFrame"},
                    NameCase{"Relação", ""}, NameCase{"$Janela_2", ""}));

// Names that pass the naming rule but clash with what the window-objects code declares or the
// example class calls: the generator says so and gives no line.
TEST(GeneratedNames, ClashesAreReportedInsteadOfWritten) {
    struct Case {
        std::string name;
        int lists;
        std::string message;
    };
    for (const Case& c :
         {Case{"System", 0, "A component named System hides the class System"},
          Case{"jScrollPane1", 1, "A component named jScrollPane1 clashes"},
          Case{"jScrollPane2", 2, "A component named jScrollPane2 clashes"},
          Case{"jScrollPane2", 1, ""}, Case{"JScrollPane1", 1, ""}, Case{"jScrollPane01", 1, ""}}) {
        SCOPED_TRACE(c.name + " beside " + std::to_string(c.lists) + " lists");
        vap::Design design;
        for (int i = 0; i < c.lists; ++i)
            vap::CriaJList(design, true);
        design.rename(vap::CriaJButton(design, true), c.name);
        vap::LineCollector code;
        std::string message = errorOf([&] {
            vap::GeraObjetosJanela(design, vap::commentTextsFor(vap::Language::Portuguese), code);
        });
        std::size_t lines = code.lines.size();
        EXPECT_EQ(message.substr(0, c.message.size()), c.message);
        EXPECT_EQ(message.empty(), c.message.empty());
        EXPECT_EQ(lines == 0, !c.message.empty());
    }
}

} // namespace
