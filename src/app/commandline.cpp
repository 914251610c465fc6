#include "commandline.h"

#include "core/lang/language.h"
#include "core/model/printable.h"

#include <cstdio>
#include <string_view>

namespace vap::app {

namespace {

constexpr const char* usage =
    "Usage: vaporina [FILE.vap]\n"
    "Designs the windows of Java Swing programs; FILE.vap is opened at start.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "  --         every later argument is a file\n"
    "\n"
    "Qt's own options (-platform, -style, ...) are taken as well.\n";

bool isOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

// The toolkit's own options, taken out of the arguments when it starts (one or two dashes).
constexpr std::string_view toolkitOptionsWithValue[] = {"platform",
                                                        "platformpluginpath",
                                                        "platformtheme",
                                                        "plugin",
                                                        "qwindowgeometry",
                                                        "qwindowtitle",
                                                        "qwindowicon",
                                                        "geometry",
                                                        "title",
                                                        "icon",
                                                        "session",
                                                        "style",
                                                        "stylesheet",
                                                        "display",
                                                        "name",
                                                        "visual",
                                                        "qmljsdebugger"};
constexpr std::string_view toolkitOptionsAlone[] = {"reverse", "testability", "widgetcount",
                                                    "nograb", "dograb"};
constexpr std::string_view toolkitOptionsJoined[] = {"style=", "stylesheet=", "qmljsdebugger="};

/** How many arguments a toolkit option takes up, itself included; 0 for none of its options. */
int toolkitOptionLength(std::string_view argument) {
    std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
    for (std::string_view option : toolkitOptionsWithValue)
        if (name == option)
            return 2;
    for (std::string_view option : toolkitOptionsAlone)
        if (name == option)
            return 1;
    for (std::string_view option : toolkitOptionsJoined)
        if (name.starts_with(option))
            return 1;
    return 0;
}

/** The argument as a message may quote it: escaped and, when long, cut short. */
std::string quoted(std::string_view argument) {
    constexpr std::size_t most = 60;
    std::string text = printableText(argument.substr(0, most));
    return "'" + text + (argument.size() > most ? "…'" : "'");
}

} // namespace

std::optional<int> answerInfoOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (argument == "--")
            break;
        const bool help = argument == "--help" || argument == "-h";
        if (!help && argument != "--version")
            continue;
        if (help)
            std::fputs(usage, stdout);
        else
            std::printf("vaporina%s\n", versionNumber);
        if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fputs("vaporina: cannot write to standard output\n", stderr);
            return 1;
        }
        return 0;
    }
    return std::nullopt;
}

CommandLine readCommandLine(int argc, char** argv) {
    CommandLine command;
    bool filesOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        if (!filesOnly && argument == "--") {
            filesOnly = true;
            continue;
        }
        if (!filesOnly && isOption(argument)) {
            int length = toolkitOptionLength(argument);
            if (length == 0) {
                command.error = "unknown option " + quoted(argument);
                return command;
            }
            if (i + length > argc) {
                command.error = "the option " + quoted(argument) + " needs a value";
                return command;
            }
            i += length - 1;
            continue;
        }
        if (command.design) {
            command.error =
                "one design at a time: '" + printablePath(argument) + "' is one too many";
            return command;
        }
        command.design = std::string(argument);
    }
    return command;
}

} // namespace vap::app
