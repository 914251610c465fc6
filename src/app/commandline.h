#pragma once

#include <optional>
#include <string>

namespace vap::app {

/** What the program was asked to open, or why its arguments are wrong. */
struct CommandLine {
    std::optional<std::string> design;
    std::string error; // empty when the arguments are right
};

/**
 * Answers --help and --version (before any `--`) on standard output and gives the exit code;
 * nothing when neither was asked for. Works without a display.
 */
std::optional<int> answerInfoOption(int argc, char** argv);

/**
 * Reads the arguments before the toolkit starts, so that a wrong one is said without a display:
 * the toolkit's own options (-platform, -style, ...) with their values, and at most one design.
 */
CommandLine readCommandLine(int argc, char** argv);

} // namespace vap::app
