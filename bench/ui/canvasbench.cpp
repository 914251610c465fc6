// vapcanvasbench: the design surface on the platform in use (run it under Xvfb for the figures
// under X).
//   1. A design of many controls (200,000 by default) opened through the Open command: the time
//      until the window has painted it and takes a drag, and the process's peak memory beside
//      the peak of `vapgen check` on the same file.
//   2. One mouse move of a drag on a window holding 1,000 controls, the event and the repaint it
//      causes: dragging one control, and dragging a selection of 100.
//
//   vapcanvasbench VAPGEN [CONTROLS]

#include "benchdesigns.h"
#include "support/designer.h"

#include "core/model/design.h"
#include "ui/designcanvas.h"
#include "ui/fmenu.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

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

    designer.trigger("opc8");
    std::remove(path.c_str());
    std::remove(small.c_str());
    rmdir(folder);
    return moved ? 0 : 1;
}
