#include "javasupport.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/exampleclass.h"
#include "core/codegen/windowobjects.h"
#include "core/lang/language.h"
#include "core/model/design.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>
#include <vector>

namespace vaptest {

namespace {

using Lines = std::vector<std::string>;

Lines::const_iterator findLine(const Lines& lines, Lines::const_iterator from,
                               const std::string& line) {
    auto found = std::find(from, lines.end(), line);
    if (found == lines.end())
        throw std::runtime_error("no line \"" + line + "\" in the generated code");
    return found;
}

/** The lines from `from` up to `to` (or the end when `to` is empty), without the empty line
 *  that separates the sections. */
Lines section(const Lines& lines, const std::string& from, const std::string& to) {
    auto begin = findLine(lines, lines.begin(), from);
    auto end = to.empty() ? lines.end() : findLine(lines, begin, to);
    if (end != begin && (end - 1)->empty())
        --end;
    return Lines(begin, end);
}

void replaceLine(Lines& lines, const std::string& placeholder, const Lines& replacement) {
    auto at = lines.erase(findLine(lines, lines.begin(), placeholder));
    lines.insert(at, replacement.begin(), replacement.end());
}

} // namespace

std::string exampleClassWithObjects(vap::Design& design, vap::LanguageCode lingua,
                                    const std::string& className) {
    const vap::CommentTexts comments = vap::commentTextsFor(lingua);
    vap::LineCollector objectsCode;
    vap::GeraObjetosJanela(design, comments, objectsCode);
    const Lines& objects = objectsCode.lines;

    const vap::LanguageState language = vap::languageApplied(lingua);
    const vap::ExampleClassContext context{lingua, language.NomeProduto, language.TextoVersao,
                                           comments, vap::DateText{"Jan", 2025}};
    Lines lines = vap::GeraClasseExemplo(design, context, [&](const vap::ClassNamePrompt&) {
                      return std::optional<std::string>(className);
                  }).lines;

    replaceLine(lines, comments.objectsPlaceholder,
                section(objects, comments.objectsSection, comments.windowSection));
    replaceLine(lines, comments.windowPlaceholder,
                section(objects, comments.windowSection, comments.controlsSection));
    replaceLine(lines, comments.controlsPlaceholder,
                section(objects, comments.controlsSection, ""));

    return vap::joinLines(lines, "\n");
}

int runCommand(const std::string& command, std::string& output) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return -1;
    std::array<char, 4096> buffer{};
    for (std::size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        output.append(buffer.data(), got);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace vaptest
