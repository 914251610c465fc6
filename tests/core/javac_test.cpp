#include "support/javasupport.h"
#include "support/tempdir.h"

#include "core/codegen/javalimits.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "support/controls.h"

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

/** Makes the label's code one byte longer (a bound from 0 to 6 to 200); false when it cannot. */
bool growByOneByte(Design& design, const vap::Control& label) {
    using Getter = std::int32_t (vap::Control::*)() const;
    using Setter = void (Design::*)(const vap::Control&, std::int32_t);
    const std::pair<Getter, Setter> bounds[] = {{&vap::Control::left, &Design::setLeft},
                                                {&vap::Control::top, &Design::setTop},
                                                {&vap::Control::width, &Design::setWidth},
                                                {&vap::Control::height, &Design::setHeight}};
    for (auto [get, set] : bounds) {
        std::int32_t value = (label.*get)();
        if (value == 0 || value == 6) {
            (design.*set)(label, value == 0 ? 6 : 200);
            return true;
        }
    }
    return false;
}

// Every kind with every event, a hint, bounds of each size of constant and strings at their
// limits, then labels up to exactly the most code javalimits lets one method hold: javac must
// take that and refuse one byte more.
TEST(Javac, WindowMethodLimitIsJavacs) {
    Design design;
    std::string title;
    for (int i = 0; i < 32767; ++i)
        title += "\u00e9";
    design.setCaption(title + "a"); // 65,535 bytes
    design.setModal(true);
    design.setWindowWidth(40000);
    std::string euros;
    for (int i = 0; i < 21845; ++i)
        euros += "\u20ac";
    for (ControlKind kind : vap::allControlKinds)
        vaptest::addControl(design, kind,
                            {std::string(65534, 'a'), euros, -1, -129, 40000, 127, 31});
    constexpr std::size_t labelBytes = 30; // a label at (0, 0, 0, 0)
    while (vap::windowMethodCodeSize(design) + labelBytes <= vap::maxMethodCodeBytes)
        vaptest::addControl(design, ControlKind::Label, {"L", "", 0, 0, 0, 0, 0});
    auto label = design.controls().rbegin();
    while (vap::windowMethodCodeSize(design) < vap::maxMethodCodeBytes)
        label += !growByOneByte(design, **label);
    ASSERT_EQ(vap::windowMethodCodeSize(design), vap::maxMethodCodeBytes);

    vaptest::TempDir dir;
    vaptest::writeBytes(dir.file("Under.java"),
                        vaptest::exampleClassWithObjects(design, vap::Language::English, "Under"));
    while (!growByOneByte(design, **label))
        ++label;
    vaptest::writeBytes(dir.file("Over.java"),
                        vaptest::exampleClassWithObjects(design, vap::Language::English, "Over"));

    // javac stops at the first class it cannot write, so the one that compiles goes first.
    std::string output;
    std::string command = "javac -J-XX:TieredStopAtLevel=1 -nowarn -proc:none -encoding UTF-8 -d " +
                          vaptest::shellQuoted(dir.path().string());
    for (const char* name : {"Under.java", "Over.java"})
        command += " " + vaptest::shellQuoted(dir.file(name));
    EXPECT_NE(vaptest::runCommand(command, output), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Under.class")) << output;
    EXPECT_EQ(output.find("Under.java:"), std::string::npos) << output;
    EXPECT_NE(output.find("Over.java:"), std::string::npos) << output;
    EXPECT_NE(output.find("code too large"), std::string::npos) << output;
}

} // namespace
