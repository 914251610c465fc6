#include "support/javasupport.h"
#include "support/tempdir.h"

#include "cli/vapgen.h"
#include "core/files/designfile.h"

#include "core/codegen/javalimits.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "support/controls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// Pastes the window-objects code into the example class at its three placeholders, as a user
// would, and has javac compile the result.

namespace {

using vap::ControlKind;
using vap::Design;

/** Text that breaks Java string literals unless every character is escaped as it must be. */
const std::string hostile = "Quote \" back\\slash \\\" tab\t newline\n CR\r \\u000a \\u0022 "
                            "\x01\x1f\b\f \u00e7\u00e3o \u20ac \u0081\u008d\\\u009d */ /* // end\\";

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

// vapgen java for each golden design in each of its languages: each file is the example class
// with the window-objects code pasted in as a user pastes it, and javac compiles them all.
TEST(Javac, VapgenJavaOfEveryGoldenDesignCompiles) {
    namespace fs = std::filesystem;
    vaptest::TempDir dir;
    std::string command = "javac -J-XX:TieredStopAtLevel=1 -proc:none -nowarn -encoding UTF-8 -d " +
                          vaptest::shellQuoted(dir.file("classes"));
    int count = 0;
    for (const auto& folder : fs::directory_iterator(fs::path(VAP_TEST_DATA) / "golden")) {
        std::map<std::string, std::string> settings;
        std::ifstream in(folder.path() / "case.txt");
        for (std::string line; std::getline(in, line);)
            settings[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
        std::istringstream languages(settings["languages"]);
        for (std::string code; languages >> code;) {
            const std::string name = "Golden" + std::to_string(++count);
            const std::string lingua = code == "pt" ? "1" : code == "en" ? "2" : "3";
            const std::string design = (folder.path() / "design.vap").string();
            std::vector<std::string> arguments{"java",   design,      "--lang", lingua,
                                               "--name", name,        "-o",     dir.path().string(),
                                               "--date", "2025-01-15"};
            Design expected;
            vap::openDesign(expected, design);
            if (settings["resizable"] == "1")
                arguments.push_back("--resizable");
            expected.setResizable(settings["resizable"] == "1");
            if (settings["modal"] == "1")
                arguments.push_back("--modal");
            expected.setModal(settings["modal"] == "1");
            std::ostringstream out, err;
            ASSERT_EQ(vap::runVapgen(arguments, out, err), 0) << design << ": " << err.str();
            EXPECT_EQ(vaptest::readBytes(dir.file(name + ".java")),
                      vaptest::exampleClassWithObjects(expected,
                                                       vap::LanguageCode(std::stoi(lingua)), name))
                << design << " in " << code;
            command += " " + vaptest::shellQuoted(dir.file(name + ".java"));
        }
    }
    ASSERT_GT(count, 0);
    std::string output;
    EXPECT_EQ(vaptest::runCommand(command, output), 0) << command << "\n" << output;
}

/** One byte more of code: a label's left from 0 (iconst) to 6 (bipush) or 6 to 200 (sipush). */
bool growByOneByte(Design& design, const vap::Control& label) {
    if (label.left() != 0 && label.left() != 6)
        return false;
    design.setLeft(label, label.left() == 0 ? 6 : 200);
    return true;
}

// Every kind with every event, a hint, each size of number and strings at their limits, then
// labels up to exactly the most code javalimits lets one method hold: javac must take that and
// refuse one byte more.
TEST(Javac, WindowMethodLimitIsJavacs) {
    Design design;
    std::string title, euros;
    while (title.size() < 2 * 32767)
        title += title.size() % 4 ? "\u00e9" : "\u008f"; // escaped in Java, two bytes all the same
    while (euros.size() < 3 * 21845)
        euros += "\u20ac";
    design.setCaption(title + "a"); // 65,535 bytes
    design.setModal(true);
    design.setWindowWidth(40000);
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
    EXPECT_NE(vaptest::runCommand("cd " + vaptest::shellQuoted(dir.path().string()) +
                                      " && javac -J-XX:TieredStopAtLevel=1 -nowarn -proc:none "
                                      "-encoding UTF-8 Under.java Over.java",
                                  output),
              0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "Under.class")) << output;
    EXPECT_EQ(output.find("Under.java:"), std::string::npos) << output;
    EXPECT_NE(output.find("Over.java:"), std::string::npos) << output;
    EXPECT_NE(output.find("code too large"), std::string::npos) << output;
}

} // namespace
