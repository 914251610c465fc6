// vapcanvasbench: the design surface on the platform in use (run it under Xvfb for the figures
// under X).
//   1. A design of many controls (200,000 by default) opened through the Open command: the time
//      until the window has painted it and takes a drag, and the process's peak memory beside
//      the peak of `vapgen check` on the same file.
//   2. One mouse move of a drag on a window holding 1,000 controls, the event and the repaint it
//      causes: dragging one control, and dragging a selection of 100.
//   3. The commands on a design of many controls, each from its key (the key's action triggered
//      as the shortcut does) until the events it causes are handled, the repaint included, beside
//      the Open of the same design in the same run: select all, Escape, a band over all, an arrow
//      on all, Delete, undo, redo, a paste of all into an empty design; then an arrow on all of
//      them packed into 300 x 300 pixels, and Ctrl+R on it with the peak memory it adds.
//
//   vapcanvasbench VAPGEN [CONTROLS]

#include "benchdesigns.h"
#include "support/designer.h"

#include "core/model/design.h"
#include "ui/designcanvas.h"
#include "ui/fmenu.h"
#include "ui/javapreview.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include <functional>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/** The process's peak resident memory so far, in KiB. */
long peakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

/** The peak resident memory of `vapgen check FILE`, in KiB; -1 when it fails. */
long vapgenCheckPeakKiB(const char* vapgen, const std::string& file) {
    pid_t child = fork();
    if (child == 0) {
        if (!std::freopen("/dev/null", "w", stdout))
            _exit(127);
        execl(vapgen, vapgen, "check", file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss;
}

class PaintSeen : public QObject {
public:
    bool seen = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            seen = true;
        return QObject::eventFilter(watched, event);
    }
};

/** A mouse event as the window system delivers it to the main window. */
void sendMouse(QWidget* top, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QPointF local(at);
    QMouseEvent event(type, local, local, QPointF(top->mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(top->windowHandle(), &event);
}

/** Writes the file in a child, so that the design it was made from weighs nothing here. */
bool writeBigDesign(int controls, const std::string& path) {
    pid_t writer = fork();
    if (writer == 0) {
        std::ifstream in(vapbench::benchDesign(controls).vapPath, std::ios::binary);
        std::ofstream out(path, std::ios::binary);
        out << in.rdbuf();
        std::exit(out.good() ? 0 : 1); // the scratch folder goes with it
    }
    int written = 1;
    return writer > 0 && waitpid(writer, &written, 0) == writer && written == 0;
}

/** Milliseconds per mouse move of a drag from the point, events and repaint included. */
double millisecondsPerMove(vaptest::Designer& designer, QPoint press) {
    constexpr int moves = 400;
    QWidget* window = &designer.menu;
    sendMouse(window, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::processEvents();
    Clock::time_point start = Clock::now();
    for (int i = 1; i <= moves; ++i) {
        sendMouse(window, QEvent::MouseMove, press + QPoint(i % 90, (i * 7) % 60), Qt::NoButton,
                  Qt::LeftButton);
        QCoreApplication::processEvents(); // the repaint the move asked for
    }
    double perMove = secondsSince(start) * 1e3 / moves;
    sendMouse(window, QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    return perMove;
}

/** Handles the events a command caused, its repaint included. */
void settle() {
    for (int round = 0; round < 4; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

/**
 * A design file of that many controls of the six kinds in turn, named c1, c2, ..., 20 to 69
 * pixels wide and 10 to 59 high, each with its top left corner in the area.
 */
bool writeCommandsDesign(int controls, const QRect& area, const std::string& path) {
    static const char* const tags[] = {"LAB", "TXF", "PWD", "BUT", "LIS", "CBX"};
    std::ofstream out(path, std::ios::binary);
    out << "JAN:0:0:700:1000:0\r\nBig\r\nBig\r\n\r\n";
    std::uint32_t state = 12345;
    auto next = [&state](int bound) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(bound));
    };
    for (int i = 1; i <= controls; ++i) {
        const std::string name = "c" + std::to_string(i);
        const int left = area.left() + next(area.width());
        const int top = area.top() + next(area.height());
        out << tags[i % 6] << ':' << left << ':' << top << ':' << 10 + next(50) << ':'
            << 20 + next(50) << ":0\r\n"
            << name << "\r\n"
            << name << "\r\n\r\n";
    }
    return out.good();
}

/** The main window's action for the key, as its shortcut would trigger it. */
QAction* keyAction(QWidget& window, const QKeySequence& key) {
    for (QAction* action : window.actions())
        if (action->shortcuts().contains(key))
            return action;
    return nullptr;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/** The time a command took: wall-clock seconds (negative when it could not run), and CPU. */
struct Timing {
    double seconds = -1;
    double cpu = 0;
};

/** Times from its making: on a shared machine the CPU seconds vary less than the wall's. */
class Stopwatch {
public:
    Timing read() const { return {secondsSince(wall_), cpuSeconds() - cpu_}; }

private:
    Clock::time_point wall_ = Clock::now();
    double cpu_ = cpuSeconds();
};

/** The time from the key's action until the events it caused are handled. */
Timing timeOfKey(QWidget& window, const QKeySequence& key) {
    QAction* action = keyAction(window, key);
    if (!action) {
        std::fprintf(stderr, "vapcanvasbench: no action for %s\n", qPrintable(key.toString()));
        return {};
    }
    Stopwatch watch;
    action->trigger();
    settle();
    return watch.read();
}

/** The time of a band drawn over the whole window from an empty corner, until handled. */
Timing timeOfBandOverAll(vaptest::Designer& designer) {
    QWidget* window = &designer.menu;
    const QPoint corner = designer.menu.canvas().rect().bottomRight() - QPoint(4, 4);
    if (designer.menu.canvas().controlAt(corner)) {
        std::fprintf(stderr, "vapcanvasbench: no empty corner for the band\n");
        return {};
    }
    Stopwatch watch;
    sendMouse(window, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseMove, QPoint(0, 0), Qt::NoButton, Qt::LeftButton);
    sendMouse(window, QEvent::MouseButtonRelease, QPoint(0, 0), Qt::LeftButton, Qt::NoButton);
    settle();
    return watch.read();
}

/** The peak resident memory taken from now on is counted afresh. */
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

/** One command's figure beside the floor's, and whether it did what it must. */
void printCommand(const char* what, const Timing& time, const Timing& floor, bool done) {
    std::printf("%-34s %6.3f s %5.2fx open   %6.3f s CPU %5.2fx open  %s\n", what, time.seconds,
                time.seconds / floor.seconds, time.cpu, time.cpu / floor.cpu,
                done ? "" : "WRONG RESULT");
}

void printFloor(const char* what, const Timing& time) {
    std::printf("%-34s %6.3f s                %6.3f s CPU   (the floor below)\n", what,
                time.seconds, time.cpu);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vapcanvasbench VAPGEN [CONTROLS]\n");
        return 2;
    }
    const int controls = argc > 2 ? std::atoi(argv[2]) : 200000;
    char folder[] = "/tmp/vapcanvasbench.XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string path = std::string(folder) + "/big.vap";
    const std::string small = std::string(folder) + "/thousand.vap";
    if (!writeBigDesign(controls, path) || !writeBigDesign(1000, small))
        return 1;
    QApplication application(argc, argv);
    long checkKiB = vapgenCheckPeakKiB(argv[1], path);

    vaptest::ScriptedDialogs dialogs;
    vaptest::Designer designer{dialogs};
    if (!designer.started()) {
        std::fprintf(stderr, "vapcanvasbench: the designer did not start\n");
        return 1;
    }
    dialogs.takeRequests();
    designer.menu.resize(1000, 700);
    QCoreApplication::processEvents();
    long startKiB = peakKiB();

    // 1. The big design, opened and then dragged: usable.
    PaintSeen painted;
    designer.menu.canvas().viewport()->installEventFilter(&painted);
    dialogs.answerOpenFile(QString::fromStdString(path));
    Clock::time_point start = Clock::now();
    designer.trigger("opc6");
    while (!painted.seen && secondsSince(start) < 120)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    const vap::Control& last = *designer.design.controls().back();
    QPoint press =
        designer.menu.canvas().shownRect(last).intersected(designer.menu.rect()).center();
    QPoint from(last.left(), last.top());
    sendMouse(&designer.menu, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    sendMouse(&designer.menu, QEvent::MouseMove, press + QPoint(7, 5), Qt::NoButton,
              Qt::LeftButton);
    sendMouse(&designer.menu, QEvent::MouseButtonRelease, press + QPoint(7, 5), Qt::LeftButton,
              Qt::NoButton);
    QCoreApplication::processEvents();
    double usable = secondsSince(start);
    bool moved = QPoint(last.left(), last.top()) == from + QPoint(7, 5);
    long peak = peakKiB();
    std::printf("controls                   %d (%zu on the canvas)\n", controls,
                designer.menu.canvas().shownCount());
    std::printf("open, painted, one drag    %.2f s (target 5 s), %s\n", usable,
                moved ? "moved" : "DID NOT MOVE");
    std::printf("peak memory                %.1f MiB (%.1f MiB before opening)\n", peak / 1024.0,
                startKiB / 1024.0);
    std::printf("vapgen check peak          %.1f MiB\n", checkKiB / 1024.0);
    if (checkKiB > 0)
        std::printf("ratio                      %.2f (target 2)\n",
                    static_cast<double>(peak) / static_cast<double>(checkKiB));
    designer.trigger("opc8");
    QCoreApplication::processEvents();

    // 2. A mouse move of a drag over 1,000 controls.
    dialogs.answerOpenFile(QString::fromStdString(small));
    designer.trigger("opc6");
    QCoreApplication::processEvents();
    vap::ui::DesignCanvas& canvas = designer.menu.canvas();
    const vap::Control& top = *designer.design.controls().back();
    QPoint onTop = canvas.shownRect(top).intersected(designer.menu.rect()).center();
    double one = millisecondsPerMove(designer, onTop);
    std::vector<const vap::Control*> hundred;
    for (std::size_t i = 0; i < designer.design.controls().size() && hundred.size() < 100; i += 10)
        hundred.push_back(designer.design.controls()[i].get());
    hundred.push_back(&top);
    canvas.select(hundred);
    double many = millisecondsPerMove(designer, onTop);
    std::printf("mouse move, one control    %.3f ms (target 0.5 ms)\n", one);
    std::printf("mouse move, %zu selected   %.3f ms (target 0.5 ms)\n", hundred.size(), many);

    // 3. The commands on a big design, each beside the Open of the same design.
    const std::string spread = std::string(folder) + "/spread.vap";
    const std::string packed = std::string(folder) + "/packed.vap";
    // Spread, the controls leave the window's right and bottom margins empty for the band.
    if (!writeCommandsDesign(controls, QRect(0, 0, 760, 560), spread) ||
        !writeCommandsDesign(controls, QRect(0, 0, 231, 241), packed))
        return 1;
    designer.trigger("opc8");
    QCoreApplication::processEvents();
    auto timeToOpen = [&](const std::string& file) {
        dialogs.answerOpenFile(QString::fromStdString(file));
        painted.seen = false;
        Stopwatch watch;
        designer.trigger("opc6");
        while (!painted.seen && watch.read().seconds < 120)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        settle();
        return watch.read();
    };
    const std::size_t all = static_cast<std::size_t>(controls);
    const auto& made = designer.design.controls();
    auto selected = [&] { return canvas.selection().size(); };
    auto key = [&](QKeySequence sequence) { return timeOfKey(designer.menu, sequence); };
    const QKeySequence undo(Qt::CTRL | Qt::Key_Z), redo(Qt::CTRL | Qt::Key_Y);
    bool allDone = true;
    // The check runs once the command is over.
    auto row = [&](const char* what, const Timing& time, const Timing& floor,
                   const std::function<bool()>& done) {
        const bool right = time.seconds >= 0 && done();
        printCommand(what, time, floor, right);
        allDone = allDone && right;
    };

    const Timing open = timeToOpen(spread);
    printFloor("open, painted", open);
    row("Ctrl+A", key(QKeySequence::SelectAll), open, [&] { return selected() == all; });
    row("Escape", key(Qt::Key_Escape), open, [&] { return selected() == 0; });
    row("band over all", timeOfBandOverAll(designer), open, [&] { return selected() == all; });
    const std::int32_t firstLeft = made.front()->left();
    row("Right on all, spread", key(Qt::Key_Right), open,
        [&] { return made.front()->left() == firstLeft + 1; });
    row("Ctrl+Z of it", key(undo), open, [&] { return made.front()->left() == firstLeft; });
    row("Delete of all", key(Qt::Key_Delete), open, [&] { return made.empty(); });
    row("Ctrl+Z, all back", key(undo), open, [&] { return made.size() == all; });
    row("Ctrl+Y, deleted again", key(redo), open, [&] { return made.empty(); });
    key(undo);
    key(QKeySequence::SelectAll);
    row("Ctrl+C of all", key(QKeySequence::Copy), open, [] { return true; });
    designer.trigger("opc8");
    settle();
    row("Ctrl+V of all into an empty design", key(QKeySequence::Paste), open,
        [&] { return made.size() == all && selected() == all; });
    row("Ctrl+Z of the paste", key(undo), open, [&] { return made.empty(); });

    const Timing openPacked = timeToOpen(packed);
    printFloor("open packed, painted", openPacked);
    key(QKeySequence::SelectAll);
    const std::int32_t packedLeft = made.front()->left();
    row("Right on all, packed", key(Qt::Key_Right), openPacked,
        [&] { return made.front()->left() == packedLeft + 1; });

    // Ctrl+R: the design is far too large for one Java method.
    vap::ui::JavaPreview preview;
    designer.menu.attachPreview(&preview);
    bool codeShown = false;
    dialogs.answerModal([&codeShown](QDialog&) { codeShown = true; });
    resetPeak();
    const long before = residentKiB();
    Stopwatch asked;
    keyAction(designer.menu, QKeySequence(Qt::CTRL | Qt::Key_R))->trigger();
    bool refused = false;
    while (!refused && asked.read().seconds < 60) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        vaptest::ScriptedDialogs::deliverReportedErrors();
        refused = codeShown || !dialogs.takeErrors().empty();
    }
    row("Ctrl+R, refused", asked.read(), openPacked, [refused] { return refused; });
    std::printf("%-34s %7.1f MiB added at the peak\n", "Ctrl+R memory",
                (peakKiB() - before) / 1024.0);
    designer.menu.attachPreview(nullptr);

    designer.trigger("opc8");
    for (const std::string& file : {path, small, spread, packed})
        std::remove(file.c_str());
    rmdir(folder);
    return moved && allDone ? 0 : 1;
}
