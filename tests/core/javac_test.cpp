#include "support/javasupport.h"
#include "support/tempdir.h"

#include "core/model/creation.h"
#include "core/model/design.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// Pastes the window-objects code into the example class at its three placeholders, as a user
// would, and has javac compile the result.

namespace {

using vap::ControlKind;
using vap::Design;

/** Text that breaks Java string literals unless every character is escaped as it must be. */
const std::string hostile = "Quote \" back\\slash \\\" tab\t newline\n CR\r \\u000a \\u0022 "
                            "\x01\x1f\b\f \u00e7\u00e3o \u20ac */ /* // end\\";

struct ClassCase {
    std::string className;
    int lingua;
    bool resizable;
    bool modal;
};

void buildEveryKind(Design& design, const ClassCase& classCase) {
    design.setCaption("Title " + hostile);
    design.setResizable(classCase.resizable);
    design.setModal(classCase.modal);
    std::int32_t top = -5;
    for (ControlKind kind : {ControlKind::Label, ControlKind::TextField, ControlKind::PasswordField,
                             ControlKind::Button, ControlKind::List, ControlKind::ComboBox,
                             ControlKind::List, ControlKind::Label}) {
        vap::Control& control = vap::createOfKind(design, kind, true);
        design.setCaption(control, "Caption " + hostile);
        design.setHint(control, hostile);
        design.setTop(control, top += 30);
        design.setTag(control, 31);
    }
}

std::string assembleClass(const ClassCase& classCase) {
    Design design;
    buildEveryKind(design, classCase);
    return vaptest::exampleClassWithObjects(design, vap::LanguageCode(classCase.lingua),
                                            classCase.className);
}

TEST(Javac, GeneratedClassesCompile) {
    std::string version;
    ASSERT_EQ(vaptest::runCommand("javac -version", version), 0)
        << "javac is needed to check the generated Java code: " << version;

    const std::vector<ClassCase> cases{{"GeradaSemMarcas", 1, false, false},
                                       {"GeneratedModalResizable", 2, true, true},
                                       {"GeneradaModal", 3, false, true}};
    vaptest::TempDir dir;
    std::string command =
        "javac -nowarn -encoding UTF-8 -d " + vaptest::shellQuoted(dir.path().string());
    for (const ClassCase& classCase : cases) {
        const std::string file = dir.file(classCase.className + ".java");
        vaptest::writeBytes(file, assembleClass(classCase));
        command += " " + vaptest::shellQuoted(file);
    }

    std::string output;
    EXPECT_EQ(vaptest::runCommand(command, output), 0) << command << "\n" << output;
    for (const ClassCase& classCase : cases)
        EXPECT_TRUE(std::filesystem::exists(dir.path() / (classCase.className + ".class")))
            << classCase.className;
}

} // namespace
