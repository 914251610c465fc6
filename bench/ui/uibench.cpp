// vapuibench: how the windows keep up with a design of 1,000 controls.
//
// The main window and the palette are the program's own, on Qt's offscreen platform unless
// QT_QPA_PLATFORM says otherwise. Every figure is set beside a floor measured in the same run with
// plain QWidgets doing the least of the same work; the machines are shared, so the ratio to the
// floor is the figure to compare between runs. The absolute targets are only reported.

#include "benchdesigns.h"
#include "support/designer.h"
#include "uisummary.h"

#include "app/vaporinaapp.h"
#include "core/files/designfile.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "ui/controllook.h"
#include "ui/dialogs.h"
#include "ui/errorbox.h"
#include "ui/factamanho.h"
#include "ui/fcriaobjeto.h"
#include "ui/fmenu.h"
#include "ui/propertyrows.h"
#include "ui/settingsfile.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QWidget>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <exception>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using vapuibench::summary;

constexpr int controlCount = 1000;
constexpr int bigControlCount = 100000;  // opened only
constexpr double moveTarget = 0.5e-3;    // seconds per mouse move handled
constexpr double openTarget = 100e-3;    // seconds to open the file into the shown window
constexpr double inspectorTarget = 1e-3; // seconds per double-click refresh or keystroke
constexpr double renameTarget = 20e-3;   // seconds per rename, the object list rebuilt
constexpr int repetitions = 5;           // the summary takes the fastest; the machines are shared
constexpr int moveIterations = 2000;     // mouse moves per repetition
constexpr int buildIterations = 4;       // palette runs, openings, floors per repetition
constexpr int inspectorIterations = 500; // double clicks and keystrokes per repetition
constexpr int renameIterations = 40;     // renames per repetition

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

/** A count with thousands separated by commas: 12,800. */
std::string count(long long value) {
    const std::string digits = std::to_string(value < 0 ? -value : value);
    std::string text = value < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text.push_back(',');
        text.push_back(digits[i]);
    }
    return text;
}

/** Handles the posted events, the repaints among them, as the event loop would next. */
void settle() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

/** Handles events for a while, for what a display server sends late (exposures). */
void drain(std::chrono::milliseconds period) {
    Clock::time_point end = Clock::now() + period;
    while (Clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

/**
 * Drops the offscreen platform's notes that it cannot raise windows or grab the keyboard (for a
 * pop-up menu); passes on the rest.
 */
QtMessageHandler previousHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("does not support raise()")) ||
        message.contains(QLatin1String("does not support grabbing the keyboard")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

/**
 * The program's windows as start-up makes them: the main window shown, the inspector and the
 * palette attached and hidden.
 */
struct Windows {
    vaptest::ScriptedDialogs dialogs;
    vaptest::Designer designer{dialogs};
    vap::Design& design = designer.design;
    vap::ui::TF_Menu& menu = designer.menu;
    vap::ui::TF_AcTamanho& inspector = designer.inspector;
    vap::ui::TF_CriaObjeto& palette = designer.palette;

    Windows() {
        menu.centreOnScreen();
        if (!designer.started())
            throw std::runtime_error("the designer did not start");
        dialogs.takeRequests(); // the splash
        settle();
    }
    Windows(const Windows&) = delete;
    Windows& operator=(const Windows&) = delete;

    /** The Clear command from the main menu. */
    void clear() {
        designer.trigger("opc8");
        settle();
    }

    const vap::ui::DesignCanvas& canvas() const { return menu.canvas(); }

    /** Whether the canvas shows every control of the design where the design places it. */
    bool showsEveryControl() const {
        const auto& controls = design.controls();
        return canvas().shownCount() == controls.size() &&
               std::all_of(controls.begin(), controls.end(), [this](const auto& control) {
                   return canvas().shownRect(*control) ==
                          vap::ui::shownRect(control->left(), control->top(), control->width(),
                                             control->height());
               });
    }

    /** An error the commands reported since the last call, as a benchmark failure. */
    bool failedOnError(benchmark::State& state) {
        std::vector<vaptest::ScriptedDialogs::ShownError> errors = dialogs.takeErrors();
        if (errors.empty())
            return false;
        std::string message = "error box: " + errors.front().text.toStdString();
        state.SkipWithError(message.c_str());
        return true;
    }
};

Windows* theWindows = nullptr;

Windows& windows() {
    return *theWindows;
}

/** Runs the body, turning an exception into a failed benchmark. */
template <class Body> void guarded(benchmark::State& state, Body body) {
    try {
        body();
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

/** The rectangles of the benchmark design's controls, in creation order. */
const std::vector<QRect>& designRects() {
    static const std::vector<QRect> rects = [] {
        std::vector<QRect> made;
        for (const auto& control : vapbench::benchDesign(controlCount).design->controls())
            made.emplace_back(control->left(), control->top(), std::max(0, control->width()),
                              std::max(0, control->height()));
        return made;
    }();
    return rects;
}

QSize designWindowSize() {
    const vap::DesignWindow& window = vapbench::benchDesign(controlCount).design->window();
    return QSize(window.width, window.height);
}

// ---- the floor: plain widgets ---------------------------------------------------------------

/** Where the palette puts 1,000 controls: all at (1, 40), each with its kind's default size. */
const std::vector<QRect>& paletteRects() {
    static const std::vector<QRect> rects = [] {
        vap::Design scratch;
        std::vector<QRect> made;
        for (int i = 0; i < controlCount; ++i) {
            const vap::Control& control = vap::createOfKind(
                scratch, vap::allControlKinds[static_cast<std::size_t>(i) % 6], false);
            made.emplace_back(control.left(), control.top(), control.width(), control.height());
        }
        return made;
    }();
    return rects;
}

/**
 * Creates 1,000 plain QWidgets on a shown window of the given size, each placed with setGeometry
 * and shown, then handles the posted events; the widgets of the previous run are deleted untimed.
 */
void floorWidgets(benchmark::State& state, const std::vector<QRect>& rects, QSize size) {
    QWidget window;
    window.resize(size);
    window.show();
    settle();
    std::vector<QWidget*> made;
    made.reserve(rects.size());
    for (auto _ : state) {
        state.PauseTiming();
        for (QWidget* widget : made)
            delete widget;
        made.clear();
        settle();
        state.ResumeTiming();
        for (const QRect& rect : rects) {
            auto* widget = new QWidget(&window);
            widget->setGeometry(rect);
            widget->show();
            made.push_back(widget);
        }
        settle();
    }
    for (QWidget* widget : made)
        delete widget;
    state.SetItemsProcessed(state.iterations() * controlCount);
}

// ---- creating controls from the palette -----------------------------------------------------

enum class PaletteRun {
    Clicks,         // the clicks one after another, the events handled at the end
    RepaintEach,    // the events handled after every click, as when a user clicks
    InspectorShown, // as RepaintEach, with the object inspector shown, which lists every name
};

void paletteClicks(benchmark::State& state, PaletteRun run) {
    Windows& w = windows();
    const bool repaintEach = run != PaletteRun::Clicks;
    guarded(state, [&] {
        const std::array<QToolButton*, 6> buttons{vaptest::part<QToolButton>(w.palette, "JLb"),
                                                  vaptest::part<QToolButton>(w.palette, "JTF"),
                                                  vaptest::part<QToolButton>(w.palette, "JPF"),
                                                  vaptest::part<QToolButton>(w.palette, "JB"),
                                                  vaptest::part<QToolButton>(w.palette, "JLi"),
                                                  vaptest::part<QToolButton>(w.palette, "JCb")};
        w.designer.trigger("opc4"); // the Create objects command shows the palette
        settle();
        for (auto _ : state) {
            state.PauseTiming();
            w.clear();
            if (run == PaletteRun::InspectorShown) {
                w.inspector.showInspector(); // a clear closes the inspector
                settle();
            }
            state.ResumeTiming();
            for (int i = 0; i < controlCount; ++i) {
                buttons[static_cast<std::size_t>(i) % buttons.size()]->click();
                if (repaintEach)
                    settle();
            }
            settle();
        }
        if (w.failedOnError(state))
            return;
        // Every click made one named, listed control, shown on the window.
        const auto& controls = w.design.controls();
        bool allShown = w.showsEveryControl() &&
                        std::all_of(controls.begin(), controls.end(),
                                    [](const auto& control) { return !control->name().empty(); });
        int counted = 0;
        for (vap::ControlKind kind : vap::allControlKinds)
            counted += w.design.kindCounter(kind);
        if (controls.size() != static_cast<std::size_t>(controlCount) || !allShown ||
            counted != controlCount || w.design.objectList().size() != controls.size())
            state.SkipWithError("the palette did not make the expected controls");
        else if (run == PaletteRun::InspectorShown &&
                 vaptest::part<QComboBox>(w.inspector, "cbObjeto")->count() != controlCount)
            state.SkipWithError("the inspector does not list every control");
        state.SetItemsProcessed(state.iterations() * controlCount);
    });
    w.palette.hide();
    w.inspector.hide();
    w.clear();
}

// ---- one mouse move of a drag ---------------------------------------------------------------

/** Sends a mouse event to the top-level window, which delivers it as the platform's would. */
void sendMouse(QWidget* top, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
    QPointF local(at);
    QMouseEvent event(type, local, local, QPointF(top->mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(top->windowHandle(), &event);
}

/** The pointer's path: a closed loop of 64 points around the press point, each a new place. */
const std::vector<QPoint>& moveOffsets() {
    static const std::vector<QPoint> offsets = [] {
        std::vector<QPoint> made;
        const double pi = std::acos(-1.0);
        for (int i = 0; i < 64; ++i) {
            double angle = 2.0 * pi * i / 64.0;
            made.emplace_back(static_cast<int>(std::lround(30.0 * std::cos(angle))),
                              static_cast<int>(std::lround(20.0 * std::sin(angle))));
        }
        return made;
    }();
    return offsets;
}

constexpr int pathMargin = 32; // the press point lies this far inside the window

/** The topmost child, in creation order from the last, whose centre it owns; its centre. */
std::optional<std::pair<QWidget*, QPoint>> pressTarget(QWidget* surface,
                                                       const std::vector<QWidget*>& children) {
    QRect inside = surface->rect().adjusted(pathMargin, pathMargin, -pathMargin, -pathMargin);
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        QPoint centre = (*child)->geometry().center();
        if (inside.contains(centre) && surface->childAt(centre) == *child)
            return std::make_pair(*child, centre);
    }
    return std::nullopt;
}

/** The same on the canvas: the last made control that shows at its own centre. */
std::optional<std::pair<const vap::Control*, QPoint>> pressTarget(const Windows& w) {
    QRect inside = w.canvas().rect().adjusted(pathMargin, pathMargin, -pathMargin, -pathMargin);
    const auto& controls = w.design.controls();
    for (auto control = controls.rbegin(); control != controls.rend(); ++control) {
        QPoint centre = w.canvas().shownRect(**control).center();
        if (inside.contains(centre) && w.canvas().controlAt(centre) == control->get())
            return std::make_pair(control->get(), centre);
    }
    return std::nullopt;
}

/** Counts the paint events of the watched widgets, by group. */
class PaintCounter : public QObject {
public:
    enum Group { Canvas, Window, GroupCount };

    void watch(QWidget* widget, Group group) {
        groups_[widget] = group;
        widget->installEventFilter(this);
    }
    void reset() { counts_.fill(0); }
    long long paints(Group group) const { return counts_[group]; }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto found = groups_.find(watched);
            if (found != groups_.end())
                ++counts_[found->second];
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::unordered_map<QObject*, Group> groups_;
    std::array<long long, GroupCount> counts_{};
};

/** What the drag benchmark saw, over all its repetitions. */
struct DragCounts {
    long long moves = 0;
    long long canvasPaints = 0;
    long long windowPaints = 0;
    long long probePaints = 0; // of the canvas, asked to repaint before the drag
    bool ran = false;
};
DragCounts dragCounts;

void dragMove(benchmark::State& state) {
    Windows& w = windows();
    guarded(state, [&] {
        w.clear();
        vapbench::fillDesign(w.design, controlCount);
        settle();
        auto target = pressTarget(w);
        if (!target) {
            state.SkipWithError("no control owns its centre inside the window");
            return;
        }
        auto [pressed, press] = *target;
        const vap::Control& control = *pressed;
        const QRect bounds = w.canvas().shownRect(control);
        auto shownAt = [&] { return w.canvas().shownRect(control); };

        // The canvas, which draws the controls and the outline, and the window are watched.
        // First the counter proves that it sees paints: the canvas is asked to repaint.
        PaintCounter counter;
        counter.watch(w.canvas().viewport(), PaintCounter::Canvas);
        counter.watch(&w.menu, PaintCounter::Window);
        w.canvas().viewport()->update();
        settle();
        dragCounts.probePaints = counter.paints(PaintCounter::Canvas);
        if (dragCounts.probePaints == 0) {
            state.SkipWithError("the paint counter saw no canvas paint");
            return;
        }

        sendMouse(&w.menu, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        settle();
        if (!w.canvas().gestureInProgress() || !w.canvas().outlines().isShown()) {
            state.SkipWithError("the press did not start a drag");
            return;
        }
        counter.reset();

        const std::vector<QPoint>& offsets = moveOffsets();
        std::size_t step = 0;
        double worst = 0.0;
        for (auto _ : state) {
            QPoint at = press + offsets[step++ % offsets.size()];
            Clock::time_point start = Clock::now();
            sendMouse(&w.menu, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
            settle();
            worst = std::max(worst, secondsSince(start));
        }
        drain(std::chrono::milliseconds(100)); // late exposures, on a display server
        long long canvasPaints = counter.paints(PaintCounter::Canvas);
        long long windowPaints = counter.paints(PaintCounter::Window);

        // The outline lies where the last move put it; the control has not moved.
        QPoint last = offsets[(step + offsets.size() - 1) % offsets.size()];
        QRect expected(QPoint(control.left(), control.top()) + last,
                       QSize(control.width(), control.height()));
        bool outlineFollows = w.canvas().outlines().rects() == std::vector<QRect>{expected};
        bool stayed = shownAt() == bounds;

        // A release at the press point ends the drag without moving anything.
        sendMouse(&w.menu, QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
        settle();
        bool ended = !w.canvas().gestureInProgress() && !w.canvas().outlines().isShown() &&
                     shownAt() == bounds && control.left() == bounds.left() &&
                     control.top() == bounds.top();

        if (w.failedOnError(state))
            return;
        if (!outlineFollows) {
            state.SkipWithError("the outline did not follow the pointer");
            return;
        }
        if (!stayed || !ended) {
            state.SkipWithError("the control moved during the drag or at a release in place");
            return;
        }
        dragCounts.ran = true;
        dragCounts.moves += static_cast<long long>(step);
        dragCounts.canvasPaints += canvasPaints;
        dragCounts.windowPaints += windowPaints;
        state.counters["worst_us"] = worst * 1e6;
        state.counters["canvas_paints"] = static_cast<double>(canvasPaints);
    });
}

/** A plain child that moves one plain top-level widget to the pointer on every mouse move. */
class FollowChild : public QWidget {
public:
    FollowChild(QWidget* parent, QWidget* marker) : QWidget(parent), marker_(marker) {}

protected:
    void mouseMoveEvent(QMouseEvent* event) override {
        QWidget::mouseMoveEvent(event);
        marker_->move(event->globalPosition().toPoint());
    }

private:
    QWidget* marker_;
};

/** The same mouse moves through a window of 1,000 plain children; one plain widget moves. */
void floorMove(benchmark::State& state) {
    guarded(state, [&] {
        QWidget marker(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        marker.setAttribute(Qt::WA_ShowWithoutActivating);
        marker.resize(100, 1);
        marker.show();
        QWidget window;
        window.resize(designWindowSize());
        std::vector<QWidget*> children;
        for (const QRect& rect : designRects()) {
            auto* child = new FollowChild(&window, &marker);
            child->setGeometry(rect);
            children.push_back(child);
        }
        window.show();
        settle();
        auto target = pressTarget(&window, children);
        if (!target) {
            state.SkipWithError("no child owns its centre inside the window");
            return;
        }
        QPoint press = target->second;
        sendMouse(&window, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        settle();
        const std::vector<QPoint>& offsets = moveOffsets();
        std::size_t step = 0;
        for (auto _ : state) {
            QPoint at = press + offsets[step++ % offsets.size()];
            sendMouse(&window, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
            settle();
        }
        QPoint last = press + offsets[(step + offsets.size() - 1) % offsets.size()];
        if (marker.pos() != window.mapToGlobal(last))
            state.SkipWithError("the plain widget did not follow the pointer");
        sendMouse(&window, QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
        settle();
    });
}

// ---- opening a design file ------------------------------------------------------------------

/** Whether the window shows the benchmark design's controls, by name and in order. */
bool showsBenchDesign(const Windows& w, int count = controlCount) {
    const vapbench::BenchDesign& fixture = vapbench::benchDesign(count);
    const auto& controls = w.design.controls();
    if (controls.size() != fixture.names.size())
        return false;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i]->name() != fixture.names[i])
            return false;
    }
    return w.showsEveryControl();
}

/** The Open command from the main menu, the dialog answering the file, into a cleared window. */
void openFile(benchmark::State& state, int count) {
    Windows& w = windows();
    guarded(state, [&] {
        const QString path = QString::fromStdString(vapbench::benchDesign(count).vapPath);
        QAction* open = w.designer.entry("opc6"); // found once, outside the timed part
        for (auto _ : state) {
            state.PauseTiming();
            w.clear();
            w.dialogs.answerOpenFile(path);
            state.ResumeTiming();
            open->trigger();
            settle();
        }
        if (w.failedOnError(state))
            return;
        if (!showsBenchDesign(w, count))
            state.SkipWithError("the window does not show the file's controls");
    });
    w.clear();
}

/** The Open command's steps one by one over a window that already shows the file. */
void openSteps(benchmark::State& state) {
    Windows& w = windows();
    guarded(state, [&] {
        const std::string path = vapbench::benchDesign(controlCount).vapPath;
        w.dialogs.answerOpenFile(QString::fromStdString(path));
        w.designer.trigger("opc6");
        settle();
        std::array<double, 4> spent{}; // read, clear, apply, repaint
        for (auto _ : state) {
            Clock::time_point start = Clock::now();
            vap::DesignFile file = vap::readDesignFile(path);
            Clock::time_point read = Clock::now();
            w.menu.opc8Click();
            Clock::time_point cleared = Clock::now();
            vap::applyDesignFile(w.design, file);
            Clock::time_point applied = Clock::now();
            settle();
            Clock::time_point painted = Clock::now();
            spent[0] += std::chrono::duration<double>(read - start).count();
            spent[1] += std::chrono::duration<double>(cleared - read).count();
            spent[2] += std::chrono::duration<double>(applied - cleared).count();
            spent[3] += std::chrono::duration<double>(painted - applied).count();
        }
        if (w.failedOnError(state))
            return;
        if (!showsBenchDesign(w)) {
            state.SkipWithError("the window does not show the file's controls");
            return;
        }
        double runs = static_cast<double>(state.iterations());
        double total = (spent[0] + spent[1] + spent[2] + spent[3]) / runs;
        const char* names[] = {"read_ms", "clear_ms", "apply_ms", "repaint_ms"};
        for (std::size_t i = 0; i < spent.size(); ++i)
            state.counters[names[i]] = spent[i] / runs * 1e3;

        // The breakdown of the fastest repetition, for the summary.
        static double fastest = 0.0;
        if (fastest == 0.0 || total < fastest) {
            fastest = total;
            summary().setDetail("openSteps/1000",
                                "read " + vapuibench::formatTime(spent[0] / runs) + ", clear " +
                                    vapuibench::formatTime(spent[1] / runs) + ", apply " +
                                    vapuibench::formatTime(spent[2] / runs) + ", repaint " +
                                    vapuibench::formatTime(spent[3] / runs));
        }
    });
    w.clear();
}

// ---- the object inspector over 1,000 controls ----------------------------------------------

using vap::ui::RowCount;
using vap::ui::RowHint;
using vap::ui::RowName;
using vap::ui::RowWidth;

/** The design of 1,000 controls, the inspector opened on its first control by its menu entry. */
std::vector<const vap::Control*> openInspector(Windows& w) {
    w.clear();
    vapbench::fillDesign(w.design, controlCount);
    settle();
    std::vector<const vap::Control*> controls;
    for (const auto& control : w.design.controls())
        controls.push_back(control.get());
    w.designer.onControl(QString::fromStdString(controls.front()->name()), "obj1");
    settle();
    return controls;
}

void closeInspector(Windows& w) {
    w.inspector.close();
    w.clear();
}

/** The value cell's editor, opened as a click on the cell opens it. */
QLineEdit* cellEditor(QTableWidget* grid, int row) {
    grid->setCurrentCell(row, 1);
    QModelIndex index = grid->model()->index(row, 1);
    if (!grid->indexWidget(index))
        grid->edit(index);
    return qobject_cast<QLineEdit*>(grid->indexWidget(index));
}

/** One key pressed and released on the widget, as the keyboard delivers it. */
void sendKey(QWidget* widget, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(widget, &release);
}

/** A control far down the list each time: every refresh loads another control. */
std::size_t spread(std::size_t step) {
    return step * 7919 % static_cast<std::size_t>(controlCount);
}

/** A double click on a control while the inspector is open: it retargets and repaints. */
void inspectorDoubleClick(benchmark::State& state) {
    Windows& w = windows();
    guarded(state, [&] {
        std::vector<const vap::Control*> controls = openInspector(w);
        std::size_t step = 0;
        for (auto _ : state) {
            w.menu.ObjetoDblClick(controls[spread(step++)]);
            settle();
        }
        if (w.failedOnError(state))
            return;
        const vap::Control& last = *controls[spread(step - 1)];
        if (vaptest::part<QComboBox>(w.inspector, "cbObjeto")->currentText().toStdString() !=
                last.name() ||
            w.inspector.cellText(RowWidth) != QString::number(last.width()))
            state.SkipWithError("the inspector does not show the double-clicked control");
    });
    closeInspector(w);
}

/** One keystroke in the Width cell's editor: the control is resized at once. */
void widthKeystroke(benchmark::State& state) {
    Windows& w = windows();
    guarded(state, [&] {
        std::vector<const vap::Control*> controls = openInspector(w);
        QLineEdit* editor =
            cellEditor(vaptest::part<QTableWidget>(w.inspector, "strPropriedade"), RowWidth);
        if (!editor) {
            state.SkipWithError("the Width cell has no editor");
            return;
        }
        editor->setText(QStringLiteral("15"));
        editor->end(false);
        bool typeZero = true; // 15, 150, 15, ...
        double handled = 0.0;
        double painted = 0.0;
        for (auto _ : state) {
            Clock::time_point start = Clock::now();
            if (typeZero)
                sendKey(editor, Qt::Key_0, QStringLiteral("0"));
            else
                sendKey(editor, Qt::Key_Backspace, QString());
            typeZero = !typeZero;
            Clock::time_point keyDone = Clock::now();
            settle();
            handled += std::chrono::duration<double>(keyDone - start).count();
            painted += secondsSince(keyDone);
        }
        if (w.failedOnError(state))
            return;
        double runs = static_cast<double>(state.iterations());
        static double fastest = 0.0;
        if (fastest == 0.0 || handled + painted < fastest) {
            fastest = handled + painted;
            summary().setDetail("widthKeystroke/1000", "key handled (the control's width) " +
                                                           vapuibench::formatTime(handled / runs) +
                                                           ", repaint " +
                                                           vapuibench::formatTime(painted / runs));
        }
        int expected = typeZero ? 15 : 150;
        if (controls.front()->width() != expected ||
            w.canvas().shownRect(*controls.front()).width() != expected)
            state.SkipWithError("the control did not follow the keystrokes");
    });
    closeInspector(w);
}

/** A rename confirmed in the inspector: the object list is rebuilt and the grid reloaded. */
void inspectorRename(benchmark::State& state) {
    Windows& w = windows();
    guarded(state, [&] {
        const vap::Control& control = *openInspector(w).front();
        const QString names[] = {QStringLiteral("Renomeado"),
                                 QString::fromStdString(control.name())};
        QTableWidgetItem* nameCell =
            vaptest::part<QTableWidget>(w.inspector, "strPropriedade")->item(RowName, 1);
        std::size_t step = 0;
        for (auto _ : state) {
            nameCell->setText(names[step++ % 2]);
            w.inspector.AplicaNome();
            settle();
        }
        if (w.failedOnError(state))
            return;
        const QString& last = names[(step - 1) % 2];
        auto* list = vaptest::part<QComboBox>(w.inspector, "cbObjeto");
        if (QString::fromStdString(control.name()) != last || list->currentText() != last ||
            list->count() != controlCount)
            state.SkipWithError("the rename did not take, or the list is not rebuilt");
    });
    closeInspector(w);
}

/** The inspector's floor: a plain combo box, grid and check list loaded with a control's values. */
void floorInspector(benchmark::State& state) {
    QWidget dialog;
    dialog.resize(227, 236);
    auto* combo = new QComboBox(&dialog);
    for (const std::string& name : vapbench::benchDesign(controlCount).names)
        combo->addItem(QString::fromStdString(name));
    combo->setGeometry(3, 6, 221, 21);
    auto* grid = new QTableWidget(RowCount, 2, &dialog);
    grid->setGeometry(0, 40, 218, 154); // as the inspector's grid: no headers
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->setColumnWidth(0, vap::ui::inspectorLabelWidth);
    grid->setColumnWidth(1, vap::ui::inspectorValueWidth);
    for (int row = 0; row < RowCount; ++row)
        grid->setRowHeight(row, vap::ui::inspectorRowHeight);
    auto* list = new QListWidget(&dialog);
    for (int item = 0; item < 5; ++item)
        (new QListWidgetItem(QStringLiteral("Ao %1").arg(item), list))
            ->setCheckState(Qt::Unchecked);
    list->hide(); // as the Events page behind the Properties page
    for (int row = 0; row < RowCount; ++row)
        grid->setItem(row, 1, new QTableWidgetItem);
    dialog.show();
    settle();
    const auto& controls = vapbench::benchDesign(controlCount).design->controls();
    std::size_t step = 0;
    for (auto _ : state) {
        std::size_t index = spread(step++);
        const vap::Control& control = *controls[index];
        combo->setCurrentIndex(static_cast<int>(index));
        const std::int32_t values[] = {control.left(), control.top(), control.width(),
                                       control.height()};
        for (int row = 0; row < 4; ++row)
            grid->item(row, 1)->setText(QString::number(values[row]));
        grid->item(vap::ui::RowCaption, 1)->setText(QString::fromStdString(control.caption()));
        grid->item(RowName, 1)->setText(QString::fromStdString(control.name()));
        grid->item(RowHint, 1)->setText(QString::fromStdString(control.hint()));
        for (int item = 0; item < 5; ++item)
            list->item(item)->setCheckState((control.tag() >> item) & 1 ? Qt::Checked
                                                                        : Qt::Unchecked);
        settle(); // the changed cells and boxes repainted
    }
}

/** The keystroke's floor: a plain line edit whose edits resize one of 1,000 plain children. */
void floorKeystroke(benchmark::State& state) {
    QWidget window;
    window.resize(designWindowSize());
    std::vector<QWidget*> children;
    for (const QRect& rect : designRects()) {
        auto* child = new QWidget(&window);
        child->setGeometry(rect);
        children.push_back(child);
    }
    QLineEdit editor(QStringLiteral("15"));
    QWidget* target = children.front();
    QObject::connect(&editor, &QLineEdit::textEdited, &editor, [target](const QString& text) {
        target->resize(text.toInt(), target->height());
    });
    window.show();
    editor.show();
    settle();
    bool typeZero = true;
    for (auto _ : state) {
        if (typeZero)
            sendKey(&editor, Qt::Key_0, QStringLiteral("0"));
        else
            sendKey(&editor, Qt::Key_Backspace, QString());
        typeZero = !typeZero;
        settle();
    }
    if (target->width() != (typeZero ? 15 : 150))
        state.SkipWithError("the plain widget did not follow the keystrokes");
}

/** The rename's floor: a plain combo box emptied, refilled with 1,000 names and selected. */
void floorList(benchmark::State& state) {
    QWidget dialog;
    auto* combo = new QComboBox(&dialog);
    QStringList names;
    for (const std::string& name : vapbench::benchDesign(controlCount).names)
        names.append(QString::fromStdString(name));
    names.sort(Qt::CaseInsensitive);
    dialog.show();
    settle();
    std::size_t step = 0;
    for (auto _ : state) {
        combo->clear();
        combo->addItems(names);
        combo->setCurrentIndex(static_cast<int>(spread(step++)));
        settle();
    }
}

// ---- long texts: one control with a long caption, a settings file with a long value ----------

/** One label whose caption is state.range(0) characters long, shown on the window. */
const vap::Control& longCaptionLabel(Windows& w, benchmark::State& state) {
    w.clear();
    vapbench::fillDesign(w.design, 1);
    const vap::Control& label = *w.design.controls().front();
    w.design.setCaption(label, std::string(static_cast<std::size_t>(state.range(0)), 'x'));
    settle();
    return label;
}

/** The inspector opened by its menu entry on the control with the long caption. */
void longCaptionOpen(benchmark::State& state) {
    Windows& w = windows();
    guarded(state, [&] {
        const vap::Control& label = longCaptionLabel(w, state);
        for (auto _ : state) {
            w.designer.onControl(QString::fromStdString(label.name()), "obj1");
            settle();
            state.PauseTiming();
            w.inspector.close();
            settle();
            state.ResumeTiming();
        }
        w.failedOnError(state);
    });
    w.clear();
}

/** One keystroke in the Hint cell of that control: its cost must not follow the caption's. */
void longCaptionHintKey(benchmark::State& state) {
    Windows& w = windows();
    guarded(state, [&] {
        const vap::Control& label = longCaptionLabel(w, state);
        w.designer.onControl(QString::fromStdString(label.name()), "obj1");
        settle();
        QLineEdit* editor =
            cellEditor(vaptest::part<QTableWidget>(w.inspector, "strPropriedade"), RowHint);
        if (!editor) {
            state.SkipWithError("the Hint cell has no editor");
            return;
        }
        bool typeX = true;
        for (auto _ : state) {
            if (typeX)
                sendKey(editor, Qt::Key_X, QStringLiteral("x"));
            else
                sendKey(editor, Qt::Key_Backspace, QString());
            typeX = !typeX;
            settle();
        }
        if (w.failedOnError(state))
            return;
        if (label.hint() != (typeX ? "" : "x") ||
            label.caption().size() != static_cast<std::size_t>(state.range(0)))
            state.SkipWithError("the control did not follow the keystrokes");
    });
    closeInspector(w);
}

/** Start-up's reading of a settings file whose Idioma value is long, and its error box laid out. */
void longIdioma(benchmark::State& state) {
    const std::string path = vapbench::scratch().file("long.INI");
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly) ||
        !file.write("[Padrao]\nIdioma=" + QByteArray(state.range(0), '1') + "\n")) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    file.close();
    vap::ui::SettingsFile settings(QString::fromStdString(path));
    qsizetype shown = 0;
    for (auto _ : state) {
        try {
            settings.readIdioma();
        } catch (const std::exception& error) {
            QMessageBox box(QMessageBox::Critical, vap::ui::applicationTitle,
                            vap::ui::errorBoxText(QString::fromUtf8(error.what())));
            box.adjustSize(); // as exec() lays it out before showing it
            shown = box.text().size();
        }
    }
    state.counters["message_chars"] = static_cast<double>(shown);
    if (shown == 0)
        state.SkipWithError("no message for the long value");
}

// ---- registration ---------------------------------------------------------------------------

benchmark::internal::Benchmark* configure(benchmark::internal::Benchmark* bench, int iterations,
                                          benchmark::TimeUnit unit) {
    return bench->UseRealTime()
        ->Unit(unit)
        ->Iterations(iterations)
        ->Repetitions(repetitions)
        ->DisplayAggregatesOnly(true)
        ->ComputeStatistics("min", [](const std::vector<double>& values) {
            return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
        });
}

void registerAll() {
    using benchmark::RegisterBenchmark;
    // The palette's floor uses its places and the main window's size as it is then; the
    // opening's floor the places and window size of the file's design.
    configure(RegisterBenchmark("floor/stacked/1000",
                                [](benchmark::State& state) {
                                    floorWidgets(state, paletteRects(), windows().menu.size());
                                }),
              buildIterations, benchmark::kMillisecond);
    configure(RegisterBenchmark("floor/spread/1000",
                                [](benchmark::State& state) {
                                    floorWidgets(state, designRects(), designWindowSize());
                                }),
              buildIterations, benchmark::kMillisecond);
    configure(RegisterBenchmark("palette/1000", paletteClicks, PaletteRun::Clicks), buildIterations,
              benchmark::kMillisecond);
    configure(RegisterBenchmark("paletteRepaintEach/1000", paletteClicks, PaletteRun::RepaintEach),
              2, benchmark::kMillisecond);
    configure(RegisterBenchmark("paletteInspector/1000", paletteClicks, PaletteRun::InspectorShown),
              1, benchmark::kMillisecond);
    configure(RegisterBenchmark("floor/move/1000", floorMove), moveIterations,
              benchmark::kMicrosecond);
    configure(RegisterBenchmark("dragMove/1000", dragMove), moveIterations,
              benchmark::kMicrosecond);
    configure(RegisterBenchmark("open/1000", openFile, controlCount), buildIterations,
              benchmark::kMillisecond);
    // No floor: as many plain sibling widgets overflow the stack when Qt paints them.
    RegisterBenchmark("open/100000", openFile, bigControlCount)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(3)
        ->DisplayAggregatesOnly(true)
        ->ComputeStatistics("min", [](const std::vector<double>& values) {
            return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
        });
    configure(RegisterBenchmark("openSteps/1000", openSteps), buildIterations,
              benchmark::kMillisecond);
    configure(RegisterBenchmark("floor/inspector/1000", floorInspector), inspectorIterations,
              benchmark::kMicrosecond);
    configure(RegisterBenchmark("inspectorDblClick/1000", inspectorDoubleClick),
              inspectorIterations, benchmark::kMicrosecond);
    configure(RegisterBenchmark("floor/keystroke/1000", floorKeystroke), inspectorIterations,
              benchmark::kMicrosecond);
    configure(RegisterBenchmark("widthKeystroke/1000", widthKeystroke), inspectorIterations,
              benchmark::kMicrosecond);
    configure(RegisterBenchmark("floor/list/1000", floorList), renameIterations,
              benchmark::kMillisecond);
    configure(RegisterBenchmark("inspectorRename/1000", inspectorRename), renameIterations,
              benchmark::kMillisecond);

    using Run = void (*)(benchmark::State&);
    for (auto [name, run, size] :
         {std::tuple<const char*, Run, int>{"longCaption/open", longCaptionOpen, 20000000},
          {"longCaption/hintKey", longCaptionHintKey, 20000000},
          {"settings/longIdioma", longIdioma, 10000000}})
        RegisterBenchmark(name, run)
            ->Arg(size)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(4);

    summary().addTimed({"palette: 1,000 clicks", "palette/1000", "floor/stacked/1000", 0.0});
    summary().addTimed({"palette: 1,000 clicks, repaint each", "paletteRepaintEach/1000",
                        "floor/stacked/1000", 0.0});
    summary().addTimed({"palette: 1,000 clicks, inspector shown", "paletteInspector/1000",
                        "floor/stacked/1000", 0.0});
    summary().addTimed(
        {"drag: one mouse move, 1,000 controls", "dragMove/1000", "floor/move/1000", moveTarget});
    summary().addTimed(
        {"open: 1,000-control file, shown", "open/1000", "floor/spread/1000", openTarget});
    summary().addTimed({"open: 100,000-control file, shown", "open/100000", "", 0.0});
    summary().addTimed(
        {"open over 1,000 shown (steps)", "openSteps/1000", "floor/spread/1000", 0.0});
    summary().addTimed({"inspector: double click, 1,000 shown", "inspectorDblClick/1000",
                        "floor/inspector/1000", inspectorTarget});
    summary().addTimed({"inspector: Width keystroke, 1,000", "widthKeystroke/1000",
                        "floor/keystroke/1000", inspectorTarget});
    summary().addTimed({"inspector: rename, 1,000 relisted", "inspectorRename/1000",
                        "floor/list/1000", renameTarget});
    summary().addTimed({"inspector open, 20M-char caption", "longCaption/open/20000000", "",
                        inspectorTarget * 100});
    summary().addTimed(
        {"Hint keystroke, 20M-char caption", "longCaption/hintKey/20000000", "", inspectorTarget});
    summary().addTimed({"10M-char Idioma read, box laid out", "settings/longIdioma/10000000", "",
                        inspectorTarget * 100});
}

void addRepaintCount() {
    if (!dragCounts.ran)
        return;
    summary().addCount({"canvas painted when asked", count(dragCounts.probePaints), ">0",
                        dragCounts.probePaints > 0});
    summary().addCount({"window repainted during moves", count(dragCounts.windowPaints), "0",
                        dragCounts.windowPaints == 0});
    summary().setDetail("dragMove/1000",
                        "canvas paints during the moves: " + count(dragCounts.canvasPaints) +
                            " in " + count(dragCounts.moves) +
                            " moves (the outline is drawn on the canvas)");
}

/**
 * Qt's offscreen platform with a 1920 x 1080 screen: the window shows no more than the screen, and
 * the benchmark design's window of 1024 x 768 must show whole, as beside its floor.
 */
void useOffscreenPlatform() {
    const std::string config = vapbench::scratch().file("offscreen.json");
    QFile file(QString::fromStdString(config));
    if (file.open(QIODevice::WriteOnly) &&
        file.write(
            R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
            R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") > 0) {
        file.close();
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.c_str());
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        useOffscreenPlatform();
    previousHandler = qInstallMessageHandler(quietHandler);
    vap::app::VaporinaApplication application(argc, argv);

    benchmark::Initialize(&argc, argv);
    for (int i = 1; i < argc; ++i)
        std::cerr << "vapuibench: ignoring unknown argument " << argv[i] << "\n";

    try {
        vapbench::benchDesign(controlCount); // built and saved before any timing
        vapbench::benchDesign(bigControlCount);
        Windows built;
        theWindows = &built;
        registerAll();
        auto options = isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_Defaults
                                             : benchmark::ConsoleReporter::OO_Tabular;
        vapuibench::SummaryReporter reporter(options);
        benchmark::RunSpecifiedBenchmarks(&reporter);
        addRepaintCount();
        summary().print(std::cout);
        theWindows = nullptr;
    } catch (const std::exception& error) {
        std::cerr << "vapuibench: " << error.what() << "\n";
    }
    benchmark::Shutdown();
    return 0; // the targets are reported, not enforced
}
