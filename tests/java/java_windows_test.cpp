#include "core/support/golden.h"
#include "core/support/javasupport.h"
#include "core/support/tempdir.h"

#include "cli/vapgen.h"
#include "core/files/designfile.h"
#include "core/model/design.h"
#include "core/model/eventmask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// What the designer draws is what Java shows: each design's complete class, as vapgen java and
// the preview make it, is compiled with one javac call, and all are run on one JVM
// under a private Xvfb with a window manager, where SwingProbe.java reports what Swing shows.
// That report is compared with the design as the core reads it.

namespace {

namespace fs = std::filesystem;
using vap::Control;
using vap::ControlKind;
using vap::Design;
using vaptest::Lines;

struct JavaCase {
    std::string className;
    std::string golden; // a folder of data/golden, or empty to use `file`
    Lines file;         // the design file's lines, Windows-1252
    int lingua;
    bool resizable;
    bool modal;
};

// Together: every kind and every event (also on labels and lists, which have no action
// listener), masks beyond 31 and below 0, two lists in scroll panes, blank and padded hints,
// negative positions, each language, modal and not, resizable and not, quotes, backslashes,
// Java escapes and comment marks in texts, Windows-1252 letters and control characters, and
// overlapping controls. The last one is closed by the probe and must end its program.
// clang-format off
const std::vector<JavaCase> cases{
    {"EveryKind", "every-kind-every-event", {}, 2, true, true},
    {"Escapes", "escaped-texts", {}, 3, true, false},
    {"Configuracao", "windows-1252", {}, 1, false, true},
    {"Overlaps", "", {
         "JAN:0:0:260:420:0",
         "Quote \" back\\slash \\\" \\u0022 \\u000a */ /* // tab\tend \x80 \xe7\xe3o\\",
         "Ignored", "",
         "BUT:20:20:30:120:4", "\"OK\"", "btnBack", "C:\\temp\\new",
         "LAB:60:30:13:150:2", "Label over \"button\"", "lblFront", "\x01tip\x7f",
         "TXF:100:40:21:100:1", "\\\\server\\share", "txtThird", " ",
         "LIS:250:20:120:100:18", "", "lstA", "Choose \"one\"",
         "CBX:300:60:21:100:12", "x", "cbxOver", "\x80 \xe9",
         "PWD:10:150:21:100:0", "p\\\"w\\\\d", "pwdAlone", ""},
     2, false, false},
};
// clang-format on

// ---- the tools and the display

bool onPath(const std::string& tool) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((fs::path(folder) / tool).c_str(), X_OK) == 0)
            return true;
    return false;
}

/** Starts a program with its output thrown away; gives its process id. */
pid_t startQuietly(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM); // also when the test itself is killed
        int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

/** A virtual X display of our own, chosen by Xvfb so that it clashes with no other, and openbox
 *  on it to give windows their frames; both end with this object. */
class PrivateDisplay {
public:
    PrivateDisplay() {
        int fds[2];
        if (pipe(fds) != 0)
            throw std::runtime_error("no pipe for Xvfb");
        xvfb_ = startQuietly({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                              "1024x768x24", "-nolisten", "tcp"});
        close(fds[1]);
        std::string number;
        for (char c; read(fds[0], &c, 1) == 1 && c != '\n';)
            number += c;
        close(fds[0]);
        if (number.empty()) {
            stop(xvfb_);
            throw std::runtime_error("Xvfb did not start");
        }
        setenv("DISPLAY", (":" + number).c_str(), 1);
        openbox_ = startQuietly({"openbox", "--sm-disable"});
    }
    ~PrivateDisplay() {
        stop(openbox_);
        stop(xvfb_);
    }
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

private:
    pid_t xvfb_ = -1;
    pid_t openbox_ = -1;
};

// ---- what Swing must show, in the probe's words

/** As the probe writes texts: backslash doubled, control characters as backslash-u escapes. */
std::string escaped(const std::string& utf8) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (char c : utf8) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (byte < 0x20 || byte == 0x7F)
            out += std::string("\\u00") + hex[byte >> 4] + hex[byte & 15];
        else
            out += c;
    }
    return out;
}

std::string joined(const std::vector<std::string>& items, const std::string& separator) {
    std::string line;
    for (const std::string& item : items)
        line += (line.empty() ? "" : separator) + item;
    return line;
}

std::string bounds(const Control& control) {
    return "bounds=" + std::to_string(control.left()) + "," + std::to_string(control.top()) + "," +
           std::to_string(control.width()) + "," + std::to_string(control.height());
}

/** The handlers the generated listeners declare, sorted as the probe lists them. */
std::string events(const Control& control) {
    static const std::pair<vap::JavaEvent, const char*> handlers[]{
        {vap::JavaEvent::ActionPerformed, "Action:actionPerformed"},
        {vap::JavaEvent::FocusGained, "Focus:focusGained"},
        {vap::JavaEvent::FocusLost, "Focus:focusLost"},
        {vap::JavaEvent::KeyPressed, "Key:keyPressed"},
        {vap::JavaEvent::MouseClicked, "Mouse:mouseClicked"},
    };
    // JLabel and JList have no action listener.
    bool hasAction = control.kind() != ControlKind::Label && control.kind() != ControlKind::List;
    vap::EventChoice chosen = vap::decodeEventMask(control.tag());
    std::vector<std::string> names;
    for (auto [event, handler] : handlers)
        if (chosen.has(event) && (event != vap::JavaEvent::ActionPerformed || hasAction))
            names.push_back(handler);
    return names.empty() ? "" : "events=" + joined(names, ",");
}

bool hasText(ControlKind kind) {
    return kind != ControlKind::List && kind != ControlKind::ComboBox;
}

bool isBlank(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

/** As java.awt.Rectangle.intersects: an empty rectangle meets nothing. */
bool intersects(const Control& a, const Control& b) {
    if (a.width() <= 0 || a.height() <= 0 || b.width() <= 0 || b.height() <= 0)
        return false;
    auto overlap = [](std::int64_t from1, std::int64_t size1, std::int64_t from2,
                      std::int64_t size2) {
        return from1 < from2 + size2 && from2 < from1 + size1;
    };
    return overlap(a.left(), a.width(), b.left(), b.width()) &&
           overlap(a.top(), a.height(), b.top(), b.height());
}

Lines expectedReport(const Design& design) {
    const vap::DesignWindow& window = design.window();
    Lines lines;
    // The design's width and height are the window's outer size, the frame included.
    lines.push_back(joined(
        {"window", window.modal ? "javax.swing.JDialog" : "javax.swing.JFrame",
         "title=" + escaped(window.caption),
         "size=" + std::to_string(window.width) + "x" + std::to_string(window.height),
         "framed=true", std::string("resizable=") + (window.resizable ? "true" : "false"),
         std::string("modal=") + (window.modal ? "true" : "false"),
         "children=" + std::to_string(design.controls().size()), "closing=Window:windowClosing"},
        "\t"));

    std::vector<std::pair<std::string, const Control*>> onContentPane;
    int scrollPanes = 0;
    for (const auto& control : design.controls()) {
        const std::string javaClass =
            "javax.swing." + std::string(vap::kindInfo(control->kind()).javaClass);
        std::vector<std::string> field{"field", control->name(), javaClass};
        if (control->kind() == ControlKind::List) {
            const std::string pane = "jScrollPane" + std::to_string(++scrollPanes);
            lines.push_back(joined(
                {"field", pane, "javax.swing.JScrollPane", bounds(*control), "in=content"}, "\t"));
            field.push_back("in=" + pane + ".view");
            onContentPane.emplace_back(pane, control.get());
        } else {
            field.push_back(bounds(*control));
            field.push_back("in=content");
            onContentPane.emplace_back(control->name(), control.get());
        }
        if (hasText(control->kind()))
            field.push_back("text=" + escaped(control->caption()));
        if (!isBlank(control->hint()))
            field.push_back("tip=" + escaped(control->hint()));
        if (std::string answered = events(*control); !answered.empty())
            field.push_back(answered);
        lines.push_back(joined(field, "\t"));
    }

    // Swing puts the component added first on top: where controls overlap, the one created
    // first covers the later ones, the opposite of the designer.
    for (std::size_t upper = 0; upper < onContentPane.size(); ++upper)
        for (std::size_t lower = upper + 1; lower < onContentPane.size(); ++lower)
            if (intersects(*onContentPane[upper].second, *onContentPane[lower].second))
                lines.push_back("above\t" + onContentPane[upper].first + "\t" +
                                onContentPane[lower].first);
    std::sort(lines.begin(), lines.end());
    return lines;
}

/** The probe's report on one class: its lines before "end\t<class>", sorted. */
Lines reportOn(const Lines& output, const std::string& className) {
    Lines report;
    for (const std::string& line : output) {
        if (line == "end\t" + className) {
            std::sort(report.begin(), report.end());
            return report;
        }
        if (line.rfind("end\t", 0) == 0)
            report.clear();
        else if (line.rfind("window\t", 0) == 0 || line.rfind("field\t", 0) == 0 ||
                 line.rfind("above\t", 0) == 0)
            report.push_back(line);
    }
    return {"(no report on " + className + ")"};
}

/** The case's design as the core reads it, after vapgen java wrote its class into the folder. */
std::unique_ptr<Design> load(const JavaCase& javaCase, const vaptest::TempDir& dir) {
    std::string path =
        (fs::path(VAP_TEST_DATA) / "golden" / javaCase.golden / "design.vap").string();
    if (javaCase.golden.empty()) {
        path = dir.file(javaCase.className + ".vap");
        vaptest::writeBytes(path, joined(javaCase.file, "\r\n") + "\r\n");
    }
    std::vector<std::string> arguments{"java",   path,
                                       "--lang", std::to_string(javaCase.lingua),
                                       "--name", javaCase.className,
                                       "-o",     dir.path().string()};
    if (javaCase.resizable)
        arguments.push_back("--resizable");
    if (javaCase.modal)
        arguments.push_back("--modal");
    std::ostringstream out, err;
    if (vap::runVapgen(arguments, out, err) != 0)
        throw std::runtime_error("vapgen java " + path + ": " + err.str());
    auto design = std::make_unique<Design>();
    vap::openDesign(*design, path);
    design->setResizable(javaCase.resizable);
    design->setModal(javaCase.modal);
    return design;
}

TEST(JavaWindows, ShowWhatTheDesignsHold) {
    vaptest::TempDir dir;
    const std::string classes = dir.file("classes");
    std::string javac = "javac -nowarn -encoding UTF-8 -d " + vaptest::shellQuoted(classes) + " " +
                        vaptest::shellQuoted(VAP_SWING_PROBE);
    std::string java = "java -cp " + vaptest::shellQuoted(classes) + " SwingProbe";
    std::vector<std::unique_ptr<Design>> designs;
    for (const JavaCase& javaCase : cases) {
        designs.push_back(load(javaCase, dir));
        javac += " " + vaptest::shellQuoted(dir.file(javaCase.className + ".java"));
        java += " " + javaCase.className;
    }
    std::string output;
    ASSERT_EQ(vaptest::runCommand(javac, output), 0) << javac << "\n" << output;

    ASSERT_TRUE(onPath("openbox")) << "openbox frames the windows (scripts/setup.sh installs it)";
    PrivateDisplay display;
    output.clear();
    // The probe closes the last window as its close box would; its class must end the program.
    EXPECT_EQ(vaptest::runCommand(java, output), 0) << java << "\n" << output;

    const Lines report = vaptest::splitLines(output);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Lines expected = expectedReport(*designs[i]);
        const Lines actual = reportOn(report, cases[i].className);
        EXPECT_TRUE(expected == actual) << cases[i].className << " as Swing shows it:\n"
                                        << vaptest::unifiedDiff(expected, actual);
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> missing;
    for (const char* tool : {"javac", "java", "Xvfb"})
        if (!onPath(tool))
            missing.push_back(tool);
    if (!missing.empty()) {
        std::cout << "skipped: missing " << joined(missing, " ")
                  << " (scripts/setup.sh installs them)\n";
        return 77;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
