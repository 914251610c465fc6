#include "support/tempdir.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/exampleclass.h"
#include "core/codegen/windowobjects.h"
#include "core/lang/language.h"
#include "core/model/creation.h"
#include "core/model/design.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

// Pastes the window-objects code into the example class at its three placeholders, as a user
// would, and has javac compile the result.

namespace {

using vap::ControlKind;
using vap::Design;
using Lines = std::vector<std::string>;

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

/** The lines from the first equal to `from` up to, not including, the first equal to `to`. */
Lines section(const Lines& lines, const std::string& from, const std::string& to) {
    auto begin = std::find(lines.begin(), lines.end(), from);
    auto end = to.empty() ? lines.end() : std::find(begin, lines.end(), to);
    if (end != lines.end() && end != begin && (end - 1)->empty())
        --end; // the empty line that separates the sections
    return Lines(begin, end);
}

void replaceLine(Lines& lines, const std::string& placeholder, const Lines& replacement) {
    auto at = std::find(lines.begin(), lines.end(), placeholder);
    ASSERT_NE(at, lines.end()) << "no placeholder " << placeholder;
    at = lines.erase(at);
    lines.insert(at, replacement.begin(), replacement.end());
}

std::string assembleClass(const ClassCase& classCase) {
    Design design;
    buildEveryKind(design, classCase);
    const vap::CommentTexts comments = vap::commentTextsFor(classCase.lingua);
    const Lines objects = vap::GeraObjetosJanela(design, comments, classCase.lingua).lines;

    const vap::LanguageState language = vap::languageApplied(classCase.lingua);
    const vap::ExampleClassContext context{classCase.lingua, language.NomeProduto,
                                           language.TextoVersao, comments,
                                           vap::DateText{"Jan", 2025}};
    Lines lines = vap::GeraClasseExemplo(design, context, [&](const vap::ClassNamePrompt&) {
                      return std::optional<std::string>(classCase.className);
                  }).lines;

    const Lines declarations = section(objects, comments.objectsSection, comments.windowSection);
    const Lines window = section(objects, comments.windowSection, comments.controlsSection);
    const Lines controls = section(objects, comments.controlsSection, "");
    EXPECT_GT(declarations.size(), 1u);
    EXPECT_GT(window.size(), 4u);
    EXPECT_GT(controls.size(), 1u);
    replaceLine(lines, comments.objectsPlaceholder, declarations);
    replaceLine(lines, comments.windowPlaceholder, window);
    replaceLine(lines, comments.controlsPlaceholder, controls);

    std::string text;
    for (const std::string& line : lines)
        text += line + '\n';
    return text;
}

/** Runs a shell command; gives its exit status and its output, standard error included. */
int run(const std::string& command, std::string& output) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return -1;
    std::array<char, 4096> buffer{};
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        output.append(buffer.data(), got);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

TEST(Javac, GeneratedClassesCompile) {
    std::string version;
    ASSERT_EQ(run("javac -version", version), 0)
        << "javac is needed to check the generated Java code: " << version;

    const std::vector<ClassCase> cases{{"GeradaSemMarcas", 1, false, false},
                                       {"GeneratedModalResizable", 2, true, true},
                                       {"GeneradaModal", 3, false, true}};
    vaptest::TempDir dir;
    std::string command = "javac -nowarn -encoding UTF-8 -d " + quoted(dir.path().string());
    for (const ClassCase& classCase : cases) {
        const std::string file = dir.file(classCase.className + ".java");
        vaptest::writeBytes(file, assembleClass(classCase));
        command += " " + quoted(file);
    }

    std::string output;
    EXPECT_EQ(run(command, output), 0) << command << "\n" << output;
    for (const ClassCase& classCase : cases)
        EXPECT_TRUE(std::filesystem::exists(dir.path() / (classCase.className + ".class")))
            << classCase.className;
}

} // namespace
