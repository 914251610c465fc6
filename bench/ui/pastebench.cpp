// vappastebench: a big paste through the main window's Paste command, beside an Open of the same
// records in the same run.
//   The records (10 MB by default) are the design-file records of varied controls. Each figure is
//   taken in a fresh process of its own, the designer started and shown, so that memory freed by
//   one cannot hide what the next one takes:
//   - open: the Open command on a file of the records after a window record, until painted;
//   - paste: the records put on the clipboard as text, as another program or an editor puts
//     them, then the Paste command, until painted; then one undo.
//   Memory is the peak resident set added during the command (VmHWM reset just before it).
//
//   vappastebench [MEGABYTES]

#include "benchdesigns.h"
#include "support/designer.h"

#include "core/files/designfile.h"
#include "core/files/windows1252.h"
#include "core/model/design.h"
#include "ui/fmenu.h"

#include <QApplication>
#include <QClipboard>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/** A line of /proc/self/status, in KiB. */
long statusKiB(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::string(key).size()));
    }
    return -1;
}

/** Starts the peak count afresh from the resident set of now. */
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

/** Records of about `bytes` bytes, of the varied controls the other benchmarks use. */
std::string recordsOfSize(std::size_t bytes) {
    auto recordsOf = [](int controls) {
        vap::Design design;
        vapbench::fillDesign(design, controls);
        std::vector<vap::ControlData> data;
        for (const auto& control : design.controls())
            data.push_back(control->data());
        return vap::controlRecords(data);
    };
    const std::size_t sample = recordsOf(1000).size();
    return recordsOf(static_cast<int>(bytes * 1000 / sample));
}

/**
 * One figure, in this process: "open FILE" or "paste FILE". Prints the seconds, the CPU seconds,
 * the peak KiB added and the controls made, then for a paste the seconds of its undo and the
 * controls left after it.
 */
int measure(int argc, char** argv, const std::string& what, const std::string& path) {
    QApplication application(argc, argv);
    vaptest::ScriptedDialogs dialogs;
    vaptest::Designer designer{dialogs};
    if (!designer.started())
        return 1;
    dialogs.takeRequests();
    if (what == "paste") {
        std::string records = readAll(path);
        QGuiApplication::clipboard()->setText(
            QString::fromStdString(vap::decodeWindows1252(records)));
    } else {
        dialogs.answerOpenFile(QString::fromStdString(path));
    }
    QCoreApplication::processEvents();
    resetPeak();
    const long before = statusKiB("VmRSS:");
    const double cpu = cpuSeconds();
    const Clock::time_point start = Clock::now();
    designer.trigger(what == "paste" ? "opcPaste" : "opc6");
    QCoreApplication::processEvents(); // the repaint
    const double seconds = secondsSince(start);
    const double cpuUsed = cpuSeconds() - cpu;
    const long added = statusKiB("VmHWM:") - before;
    const std::size_t made = designer.design.controls().size();
    double undoSeconds = 0;
    if (what == "paste") {
        const Clock::time_point undoStart = Clock::now();
        designer.document.history().undo();
        QCoreApplication::processEvents();
        undoSeconds = secondsSince(undoStart);
    }
    for (const auto& error : dialogs.takeErrors())
        std::fprintf(stderr, "vappastebench: %s\n", qPrintable(error.text));
    std::printf("%.3f %.3f %ld %zu %.3f %zu\n", seconds, cpuUsed, added, made, undoSeconds,
                designer.design.controls().size());
    return 0;
}

struct Figure {
    double seconds = 0, cpu = 0, undoSeconds = 0;
    long addedKiB = 0;
    std::size_t made = 0, left = 0;
    bool ok = false;
};

Figure runChild(const std::string& what, const std::string& path) {
    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0)
        return {};
    const std::string command = "'" + std::string(self) + "' --measure " + what + " '" + path + "'";
    Figure figure;
    if (FILE* child = popen(command.c_str(), "r")) {
        figure.ok =
            std::fscanf(child, "%lf %lf %ld %zu %lf %zu", &figure.seconds, &figure.cpu,
                        &figure.addedKiB, &figure.made, &figure.undoSeconds, &figure.left) == 6;
        figure.ok = pclose(child) == 0 && figure.ok;
    }
    return figure;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 4 && std::string(argv[1]) == "--measure")
        return measure(argc, argv, argv[2], argv[3]);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (megabytes <= 0) {
        std::fprintf(stderr, "usage: vappastebench [MEGABYTES]\n");
        return 2;
    }

    const std::string records = recordsOfSize(static_cast<std::size_t>(megabytes * 1e6));
    const std::string recordsPath = vapbench::scratch().file("records.txt");
    const std::string designPath = vapbench::scratch().file("records.vap");
    std::ofstream(recordsPath, std::ios::binary) << records;
    std::ofstream(designPath, std::ios::binary) << "JAN:0:0:768:1024:0\r\nPaste\r\nPaste\r\n\r\n"
                                                << records;
    const double text = static_cast<double>(records.size());

    Figure open = runChild("open", designPath);
    Figure paste = runChild("paste", recordsPath);
    auto ratioToText = [text](const Figure& f) { return f.addedKiB * 1024.0 / text; };
    std::printf("records                    %.2f MB, %zu controls\n", text / 1e6, open.made);
    if (!open.ok || !paste.ok) {
        std::printf("FAILED: open %s, paste %s\n", open.ok ? "ran" : "failed",
                    paste.ok ? "ran" : "failed");
        return 1;
    }
    std::printf("open, painted              %.2f s (%.2f s CPU), %.1f MiB added, %.2fx the text\n",
                open.seconds, open.cpu, open.addedKiB / 1024.0, ratioToText(open));
    std::printf("paste, painted             %.2f s (%.2f s CPU), %.2fx the open's time "
                "(target 2 s)\n",
                paste.seconds, paste.cpu, paste.seconds / open.seconds);
    std::printf("paste memory               %.1f MiB added, %.2fx the text (target 4), %.2fx the "
                "open's\n",
                paste.addedKiB / 1024.0, ratioToText(paste),
                static_cast<double>(paste.addedKiB) / static_cast<double>(open.addedKiB));
    std::printf("undo of the paste          %.2f s, %zu controls left\n", paste.undoSeconds,
                paste.left);
    return paste.made == open.made && paste.left == 0 ? 0 : 1;
}
