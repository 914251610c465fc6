#include "vapgen.h"

#include "core/codegen/commenttexts.h"
#include "core/codegen/exampleclass.h"
#include "core/codegen/javalimits.h"
#include "core/codegen/javasource.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/files/ioerror.h"
#include "core/files/safeplace.h"
#include "core/files/safewrite.h"
#include "core/lang/datetext.h"
#include "core/lang/language.h"
#include "core/model/design.h"
#include "core/model/error.h"
#include "core/model/printable.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <regex>
#include <set>

namespace vap {

namespace {

constexpr const char* helpText =
    R"(Usage: vapgen COMMAND ARGUMENTS [OPTIONS]

Generates the Java code of a design file (.vap) without the designer window.

Commands:
  objects DESIGN.vap [--lang 1|2|3] [--resizable] [--modal]
      Print the window-objects code of the design, as the designer does after
      opening the file.
  class DESIGN.vap [--lang 1|2|3] [--modal] [--name CLASS] [--date YYYY-MM-DD]
      Print the example class. The class name is --name, else the file's class
      name, else the language's default name. The date (default: today) gives
      the header's month and year.
  java DESIGN.vap [--lang 1|2|3] [--modal] [--resizable] [--name CLASS]
       [--date YYYY-MM-DD] [-o DIR]
      Print one complete Java source file: the example class with the
      window-objects code pasted over its placeholders, which javac compiles
      as it is (with -encoding UTF-8). With -o, write it to DIR/CLASS.java
      instead, replacing the file in one step (DIR is made when missing).
      A design javac would refuse (a text or name too long for Java, a
      window too large for one Java method) is refused with exit code 1.
  check DESIGN.vap
      Read the file as the designer's Open does and print the number of
      controls of each kind, or the error. Records with a tag the designer
      does not know, which it skips, are named on standard error.
  resave IN.vap OUT.vap
      Read a design and write it back through the designer's own writer.

Arguments after -- are files, even when they begin with "-".

Options:
  --lang N     interface language: 1 Portuguese (default), 2 English, 3 Spanish
  --resizable  the designed window is resizable
  --modal      the designed window is modal (a JDialog)
  --name CLASS the example class's name
  --date DATE  the example class's date, as YYYY-MM-DD (years 1000 to 9999)
  -o DIR       the folder java writes CLASS.java into
  --crlf       end output lines with CR LF instead of LF
  --help       show this text

Errors go to standard error as "vapgen: MESSAGE" with exit code 1; wrong
arguments exit with code 2. Except for java, code that javac would refuse (a
text or name too long for Java, a window too large for one Java method) is
printed all the same, with a warning on standard error and exit code 0.
)";

struct UsageError {
    std::string message;
};

struct Options {
    std::string command;
    std::vector<std::string> files;
    LanguageCode lingua{Language::Portuguese};
    bool resizable = false;
    bool modal = false;
    std::optional<std::string> className;
    std::optional<DateText> date;
    std::optional<std::string> outputFolder;
    bool crlf = false;
    bool help = false;
    std::set<std::string, std::less<>> given; // the options named, for the command to check
};

DateText parseDate(const std::string& text) {
    static const std::regex shape(R"((\d{4})-(\d{2})-(\d{2}))");
    std::smatch parts;
    if (!std::regex_match(text, parts, shape))
        throw UsageError{"--date takes YYYY-MM-DD, not '" + printableExcerpt(text) + "'"};
    int year = std::stoi(parts[1]);
    auto month = static_cast<unsigned>(std::stoi(parts[2]));
    auto day = static_cast<unsigned>(std::stoi(parts[3]));
    if (!std::chrono::year_month_day(std::chrono::year(year), std::chrono::month(month),
                                     std::chrono::day(day))
             .ok())
        throw UsageError{"'" + text + "' is not a date"};
    // Headers show the year in four digits; a year before 1000 has none to show.
    if (year < 1000)
        throw UsageError{"--date takes a year from 1000 to 9999, not " + std::to_string(year)};
    return dateText(year, static_cast<int>(month));
}

Options parseArguments(const std::vector<std::string>& arguments) {
    Options options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() > 2 && argument.starts_with("--"))
            options.given.insert(argument);
        auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size())
                throw UsageError{argument + " needs a value"};
            return arguments[++i];
        };
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--lang") {
            const std::string& code = value();
            if (code != "1" && code != "2" && code != "3")
                throw UsageError{"--lang takes 1, 2 or 3, not '" + printableExcerpt(code) + "'"};
            options.lingua = LanguageCode(code[0] - '0');
        } else if (argument == "--resizable") {
            options.resizable = true;
        } else if (argument == "--modal") {
            options.modal = true;
        } else if (argument == "--name") {
            options.className = value();
        } else if (argument == "--date") {
            options.date = parseDate(value());
        } else if (argument == "-o") {
            options.given.insert(argument);
            options.outputFolder = value();
        } else if (argument == "--crlf") {
            options.crlf = true;
        } else if (argument == "--") {
            for (++i; i < arguments.size(); ++i)
                (options.command.empty() ? options.command : options.files.emplace_back()) =
                    arguments[i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            throw UsageError{"unknown option " + printableExcerpt(argument)};
        } else if (options.command.empty()) {
            options.command = argument;
        } else {
            options.files.push_back(argument);
        }
    }
    return options;
}

struct CommandShape {
    std::size_t files;
    bool takesLanguage, takesMarks, takesClassOptions, takesResizable, takesOutput;
};

void checkShape(const Options& options) {
    static const std::map<std::string, CommandShape> shapes{
        {"objects", {1, true, true, false, true, false}},
        {"class", {1, true, true, true, false, false}},
        {"java", {1, true, true, true, true, true}},
        {"check", {1, false, false, false, false, false}},
        {"resave", {2, false, false, false, false, false}},
    };
    auto shape = shapes.find(options.command);
    if (shape == shapes.end())
        throw UsageError{options.command.empty()
                             ? "no command given"
                             : "unknown command " + printableExcerpt(options.command)};
    if (options.files.size() != shape->second.files)
        throw UsageError{options.command + " takes " + std::to_string(shape->second.files) +
                         (shape->second.files == 1 ? " file" : " files")};
    auto refuse = [&](bool allowed, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (!allowed && options.given.contains(std::string_view(name)))
                throw UsageError{options.command + " does not take " + name};
        }
    };
    refuse(shape->second.takesLanguage, {"--lang"});
    refuse(shape->second.takesMarks, {"--modal"});
    refuse(shape->second.takesResizable, {"--resizable"});
    refuse(shape->second.takesClassOptions, {"--name", "--date"});
    refuse(shape->second.takesOutput, {"-o"});
}

/** Fails the command when the output could not be written, with the system's reason. */
void checkWritten(std::ostream& out) {
    if (!out) {
        int error = errno;
        throw Error(error ? ioErrorMessageFromErrno(error) : ioErrorMessage(IoError::DiskFull));
    }
}

/** Writes lines as they come, so that a large output is never held in memory whole. */
class LinePrinter final : public LineSink {
public:
    LinePrinter(std::ostream& out, bool crlf) : out_(out), lineEnd_(crlf ? "\r\n" : "\n") {}
    void add(std::string line) override {
        out_ << line << lineEnd_;
        checkWritten(out_);
    }
    void print(const std::vector<std::string>& lines) {
        for (const std::string& line : lines)
            add(line);
    }
    void finish() {
        out_.flush();
        checkWritten(out_);
    }

private:
    std::ostream& out_;
    std::string_view lineEnd_;
};

/**
 * The design as the designer holds it after opening the file in the given language. Gives the
 * records skipped for an unknown tag.
 */
SkippedRecords openAsDesigner(Design& design, const Options& options) {
    design.setCaption(composeMainCaption(languageApplied(options.lingua)));
    SkippedRecords skipped = openDesign(design, options.files.front());
    design.setResizable(options.resizable);
    design.setModal(options.modal);
    return skipped;
}

/** The warnings go to standard error; the code stays as it is and the exit status 0. */
int printObjects(const Options& options, std::ostream& out, std::ostream& err) {
    Design design;
    openAsDesigner(design, options);
    LinePrinter printer(out, options.crlf);
    GeraObjetosJanela(design, commentTextsFor(options.lingua), printer);
    printer.finish();
    for (const std::string& warning : javaLimitWarnings(design, options.lingua))
        err << "vapgen: " << warning << "\n";
    return 0;
}

int printClass(const Options& options, std::ostream& out) {
    Design design;
    openAsDesigner(design, options);
    LanguageState language = languageApplied(options.lingua);
    ExampleClassContext context{options.lingua, language.NomeProduto, language.TextoVersao,
                                commentTextsFor(options.lingua),
                                options.date.value_or(todayText())};
    GeneratedCode code = GeraClasseExemplo(design, context, [&](const ClassNamePrompt& prompt) {
        return std::optional<std::string>(options.className.value_or(prompt.initialValue));
    });
    LinePrinter printer(out, options.crlf);
    printer.print(code.lines);
    printer.finish();
    return 0;
}

/** Joins the lines as they come, each with its line end. */
class TextJoiner final : public LineSink {
public:
    explicit TextJoiner(bool crlf) : lineEnd_(crlf ? "\r\n" : "\n") {}
    void add(std::string line) override {
        text += line;
        text += lineEnd_;
    }

    std::string text;

private:
    std::string_view lineEnd_;
};

/**
 * The complete class as the bytes of its file, for the safe writer, which takes them whole. Only
 * a design javac takes comes here, and Java's limits bound its source: one method's 65,535 bytes
 * of code hold some 2,200 controls at most, and a string at most 65,535 bytes, four times that
 * once escaped. An ordinary design's source is about its file's size; only names and texts at
 * those limits make it a few times that.
 */
std::string javaSourceText(const Design& design, const ExampleClassContext& context,
                           const std::string& className, bool crlf) {
    TextJoiner joiner(crlf);
    writeJavaSource(design, context, className, joiner);
    return std::move(joiner.text);
}

/**
 * Refuses a design javac would not compile, output that breaks a build being of no use, before
 * anything is composed: such a design may be far larger than any source worth writing.
 */
int printJava(const Options& options, std::ostream& out) {
    Design design;
    openAsDesigner(design, options);
    LanguageState language = languageApplied(options.lingua);
    ExampleClassContext context{options.lingua, language.NomeProduto, language.TextoVersao,
                                commentTextsFor(options.lingua),
                                options.date.value_or(todayText())};
    const std::string className = javaSourceClassName(design, options.lingua, options.className);
    checkJavaSource(design, context, className);
    if (options.outputFolder) {
        // Each missing folder is made only below folders that no other user can change.
        SafeFolder folder = openSafeFolder(*options.outputFolder, MissingFolders::Make);
        writeFileAtomically(folder, className + ".java",
                            javaSourceText(design, context, className, options.crlf));
        return 0;
    }
    LinePrinter printer(out, options.crlf);
    writeJavaSource(design, context, className, printer);
    printer.finish();
    return 0;
}

/** The records the designer would skip are named on standard error; they fail nothing. */
int printCheck(const Options& options, std::ostream& out, std::ostream& err) {
    Design design;
    for (const std::string& message : skippedRecordMessages(openAsDesigner(design, options)))
        err << "vapgen: " << message << "\n";
    std::vector<std::string> lines;
    for (ControlKind kind : allControlKinds) {
        lines.push_back(std::string(kindInfo(kind).javaClass) + ": " +
                        std::to_string(design.kindCounter(kind)));
    }
    lines.push_back("controls: " + std::to_string(design.controls().size()));
    LinePrinter printer(out, options.crlf);
    printer.print(lines);
    printer.finish();
    return 0;
}

int resave(const Options& options) {
    Design design;
    // A file without a window record gets the window as the designer shows it after start-up.
    openAsDesigner(design, options);
    GravaJanela(design, options.files[1]);
    return 0;
}

} // namespace

int runVapgen(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    Options options;
    try {
        options = parseArguments(arguments);
        if (options.help) {
            try {
                out << helpText;
                LinePrinter(out, false).finish();
            } catch (const Error& error) {
                err << "vapgen: " << error.what() << "\n";
                return 1;
            }
            return 0;
        }
        checkShape(options);
    } catch (const UsageError& usage) {
        err << "vapgen: " << printableText(usage.message) << "\n"
            << "Try 'vapgen --help'.\n";
        return 2;
    }
    try {
        if (options.command == "objects")
            return printObjects(options, out, err);
        if (options.command == "class")
            return printClass(options, out);
        if (options.command == "java")
            return printJava(options, out);
        if (options.command == "check")
            return printCheck(options, out, err);
        return resave(options);
    } catch (const Error& error) {
        err << "vapgen: " << printableText(error.what()) << "\n";
        return 1;
    } catch (const std::bad_alloc&) {
        err << "vapgen: Not enough memory\n";
        return 1;
    }
}

} // namespace vap
