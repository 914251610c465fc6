// The monkey: random but valid input from a seeded generator, delivered as real mouse and key
// events to the widgets under the pointer or with the focus, on every window; the dialogs are
// answered at random, error boxes are real boxes with their own event loops, and modal windows
// run their real event loops while the monkey drives them. After every step the windows must
// still show the design.
//
//   ui_monkey                       the fixed seeds, a short pass (make test)
//   ui_monkey --seed N [--steps N]  one seed; --trace prints every step as it happens
//
// Exit code 0 when every invariant held, 1 when one broke (seed, step and the recent steps are
// printed), 3 when a step hung.

#include "support/designer.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "core/files/designfile.h"
#include "core/model/eventmask.h"
#include "core/model/valorinteiro.h"
#include "ui/controllook.h"
#include "ui/propertyrows.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <unistd.h>
#include <utility>

using vaptest::part;

namespace {

using enum vap::ui::InspectorRow;

// Seeds of the short pass; seeds that once found a fault are kept here as replayed cases.
constexpr std::uint64_t fixedSeeds[] = {1, 2, 3, 4};
constexpr int fixedSteps = 1000;

volatile std::sig_atomic_t currentStep = 0;
volatile std::uint64_t currentSeed = 0;

void hung(int) {
    char text[120];
    int length =
        std::snprintf(text, sizeof text, "monkey: seed %llu hung at step %d\n",
                      static_cast<unsigned long long>(currentSeed), static_cast<int>(currentStep));
    (void)!write(2, text, static_cast<std::size_t>(length));
    _exit(3);
}

class Monkey;

/** Answers every question at random; error boxes come from the base, as real boxes. */
class MonkeyDialogs : public vaptest::ScriptedDialogs {
public:
    explicit MonkeyDialogs(Monkey& monkey) : monkey_(monkey) { showRealErrorBoxes(true); }
    std::optional<QString> askText(QWidget*, const QString& title, const QString&,
                                   const QString& preset, int) override;
    bool askYesNo(QWidget*, const QString& title, const QString& question) override;
    QString chooseOpenFile(QWidget*, const vap::ui::FileDialogTexts&) override;
    QString chooseSaveFile(QWidget*, const vap::ui::FileDialogTexts&) override;
    void runModal(QDialog* dialog) override;
    void showError(const QString& title, const QString& message) override;

private:
    Monkey& monkey_;
};

class Monkey {
public:
    Monkey(std::uint64_t seed, bool trace) : seed_(seed), random_(seed), trace_(trace) {
        currentSeed = seed;
        writeFiles();
    }

    /** Runs the steps; false when an invariant broke (already reported). */
    bool run(int steps) {
        while (step_ < steps && !failed_) {
            if (!designer_ || !designer_->menu.isVisible())
                startDesigner();
            ++step_;
            currentStep = step_;
            alarm(30);
            act();
            settle();
            verify();
        }
        alarm(0);
        checkUndoAll();
        designer_.reset();
        settle();
        return !failed_;
    }
    int steps() const { return step_; }

    /** A fault the monkey found, as the shortest sequence of user actions that shows it. */
    struct Replay {
        const char* fault;
        void (*actions)(Monkey&);
    };
    /** Plays the sequence on a fresh designer, checking the invariants after every action. */
    bool replay(const Replay& replay) {
        note(QStringLiteral("replaying: ") + QLatin1String(replay.fault));
        scripted_ = true;
        startDesigner();
        replay.actions(*this);
        designer_.reset();
        settle();
        return !failed_;
    }

    // ---- scripted actions of the replayed cases, each a real event then the invariants

    void clickAt(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        if (failed_)
            return;
        note(QStringLiteral("click on %1 at %2,%3").arg(nameOf(widget)).arg(at.x()).arg(at.y()));
        activate(widget->window());
        if (button == Qt::RightButton) {
            QTest::mousePress(widget, button, {}, at);
            QTest::mouseRelease(widget, button, {}, at);
            QContextMenuEvent menu(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
            QApplication::sendEvent(widget, &menu);
        } else {
            QTest::mouseClick(widget, button, {}, at);
        }
        settle();
        verify();
    }
    /**
     * Right click on the control, or on the window's free corner, then the menu's entry. A
     * control under a later one gets its menu as a right click on it would open it.
     */
    void command(const char* entry, const char* control = nullptr) {
        vaptest::ShownControl shown = designer_->shown(QLatin1String(control ? control : ""));
        if (!control) {
            clickAt(&designer_->menu, QPoint(1, 1), Qt::RightButton);
        } else if (!shown) {
            return fail(QStringLiteral("no control %1 to click").arg(QLatin1String(control)));
        } else if (QPoint at = shown.onCanvas(QPoint(1, 1));
                   shown.canvas().controlAt(at) == &shown.control()) {
            clickAt(shown.viewport(), at, Qt::RightButton);
        } else {
            note(QStringLiteral("control menu of %1").arg(QLatin1String(control)));
            designer_->menu.openControlMenu(&shown.control(), shown.viewport()->mapToGlobal(at));
            settle();
            verify();
        }
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return fail(QStringLiteral("no menu opened"));
        clickAt(menu, menu->actionGeometry(part<QAction>(designer_->menu, entry)).center());
    }
    void paletteButton(const char* name) {
        QWidget* button = part<QWidget>(designer_->palette, name);
        clickAt(button, button->rect().center());
    }
    void cell(int row) {
        auto* grid = part<QTableWidget>(designer_->inspector, "strPropriedade");
        clickAt(grid->viewport(), grid->visualItemRect(grid->item(row, 1)).center());
    }
    void keys(const QString& text) {
        for (QChar key : text)
            press(key.toLatin1());
    }
    template <class Key> void press(Key key) {
        if (failed_)
            return;
        note(QStringLiteral("key %1").arg(QKeySequence(key).toString()));
        // The replayed keys are for the inspector; a closed box may have left no window active.
        QWidget* window = designer_->inspector.isVisible()
                              ? static_cast<QWidget*>(&designer_->inspector)
                              : &designer_->menu;
        QTest::keyClick(keyTarget(window), key);
        settle();
        verify();
    }

    // ---- answers of the dialogs

    std::optional<QString> answerText(const QString& preset) {
        std::optional<QString> answer;
        switch (pick(4)) {
        case 0:
            break; // Cancel
        case 1:
            answer = preset;
            break;
        default:
            answer = someText();
        }
        note(QStringLiteral("answer text: %1").arg(answer ? quoted(*answer) : "Cancel"));
        return answer;
    }
    bool answerYesNo(const QString& question) {
        bool yes = pick(3) == 0;
        note(QStringLiteral("answer %1 to %2").arg(yes ? "Yes" : "No", quoted(question)));
        return yes;
    }
    QString answerFile(bool open) {
        QStringList files =
            QDir(folder_.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        // The tests' bad files are opened, never saved over.
        QDir bad(QStringLiteral(VAP_TEST_DATA "/bad"));
        for (const QString& name : bad.entryList({QStringLiteral("*.vap")}, QDir::Files))
            if (open)
                files << bad.filePath(name);
        QString answer;
        switch (pick(6)) {
        case 0:
            break; // Cancel
        case 1:
            answer = folder_.filePath(QStringLiteral("missing/design.vap"));
            break;
        case 2:
            answer = folder_.filePath(QStringLiteral("saved%1.vap").arg(pick(3)));
            break;
        default:
            answer = files.isEmpty() ? QString() : files[pick(static_cast<int>(files.size()))];
            if (!answer.startsWith(QLatin1Char('/')))
                answer = folder_.filePath(answer);
        }
        note(QStringLiteral("answer %1 file: %2")
                 .arg(open ? "open" : "save", answer.isEmpty() ? "Cancel" : answer));
        return answer;
    }

    /** A modal window: its own event loop runs while a timer gives it a few random steps. */
    void driveModal(QDialog& dialog) {
        note(QStringLiteral("modal %1 shown").arg(dialog.objectName()));
        int left = scripted_ ? 0 : 1 + pick(6);
        QTimer driver;
        QObject::connect(&driver, &QTimer::timeout, &dialog, [&] {
            if (QApplication::activeModalWidget() != &dialog || !dialog.isVisible())
                return; // an error box is up, or the window is closing
            if (left-- <= 0 || failed_) {
                closeModal(dialog);
                return;
            }
            ++step_;
            currentStep = step_;
            actIn(&dialog);
            settle();
            verify();
        });
        driver.start(0);
        dialog.exec();
    }

private:
    // ---- randomness

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return pick(100) < percent; }
    QPoint pointIn(const QRect& rect) {
        if (rect.isEmpty())
            return rect.topLeft();
        return QPoint(rect.left() + pick(std::max(1, rect.width())),
                      rect.top() + pick(std::max(1, rect.height())));
    }

    /** Texts a user types: names, refused names, numbers and plain text. */
    QString someText() {
        static const char* const fixed[] = {
            "",       "1abc",       "opc1",        "popMnu",      "class", "a b",
            "_x9",    "0",          "-5",          " 42",         "42 ",   "$1F",
            "0x10",   "2147483647", "-2147483648", "99999999999", "+",     "Caption",
            "Ação é", "x",
        };
        switch (pick(4)) {
        case 0:
            return QString::fromLatin1(fixed[pick(std::size(fixed))]);
        case 1: {
            // The name of a control there is, in another case at times.
            const auto& controls = designer_->design.controls();
            if (controls.empty())
                return QStringLiteral("JLabel1");
            QString name = vap::ui::qs(controls[pick(static_cast<int>(controls.size()))]->name());
            return chance(50) ? name.toUpper() : name;
        }
        case 2:
            return QStringLiteral("Nome%1").arg(pick(20));
        default:
            return QString::number(pick(2000) - 500);
        }
    }

    // ---- the designer

    void startDesigner() {
        if (designer_) {
            // The user confirmed the exit, which asked the event loops to end; a short run of the
            // application's loop takes that back, so that the next run's boxes loop again.
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            QCoreApplication::exec();
        }
        designer_.reset();
        settle();
        int lingua = 1 + pick(3);
        note(QStringLiteral("designer started, language %1").arg(lingua));
        firstModal_ = true;
        designer_ = std::make_unique<vaptest::Designer>(dialogs_, lingua);
        if (!designer_->started())
            fail(QStringLiteral("the designer did not start"));
        settle();
        designer_->document.history().setUndoLimit(0); // every step kept, so all can be undone
        startBytes_ = vap::serializeDesign(designer_->design);
    }

    /** Undoing every step of the run gives back the design the designer started with. */
    void checkUndoAll() {
        if (failed_ || !designer_)
            return;
        QUndoStack& history = designer_->document.history();
        while (history.canUndo())
            history.undo();
        settle();
        if (vap::serializeDesign(designer_->design) != startBytes_)
            fail(QStringLiteral("undoing every step did not give back the starting design"));
    }

    void writeFiles() {
        QFile garbage(folder_.filePath(QStringLiteral("garbage.vap")));
        if (garbage.open(QIODevice::WriteOnly)) {
            QByteArray bytes;
            for (int i = 0; i < 300; ++i)
                bytes.append(static_cast<char>(pick(256)));
            garbage.write(bytes);
        }
        QFile extreme(folder_.filePath(QStringLiteral("extreme.vap")));
        if (extreme.open(QIODevice::WriteOnly))
            extreme.write("JAN:300:200:100:100:0\r\nBig\r\n\r\n\r\n"
                          "LAB:-2147483648:2147483647:2147483647:2147483647:2147483647\r\n"
                          "x\r\nhuge\r\n\r\n"
                          "BUT:-5:-7:-2147483648:0:-1\r\ny\r\nnegative\r\n\r\n");
        QDir(folder_.path()).mkdir(QStringLiteral("folder.vap"));
        QFile(folder_.filePath(QStringLiteral("empty.vap"))).open(QIODevice::WriteOnly);
    }

    // ---- one step

    /** Where the user acts next: an open pop-up, or one of the visible windows. */
    void act() {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            actInPopup(popup);
            return;
        }
        std::vector<QWidget*> windows{&designer_->menu};
        for (QWidget* window : {static_cast<QWidget*>(&designer_->palette),
                                static_cast<QWidget*>(&designer_->inspector)})
            if (window->isVisible())
                windows.push_back(window);
        // The inspector and the palette, once open, get most of the attention.
        QWidget* window = windows.size() == 1 || chance(25)
                              ? windows.front()
                              : windows[1 + pick(static_cast<int>(windows.size()) - 1)];
        if (window == &designer_->menu && chance(3)) {
            // The window manager moves or resizes the window for the user.
            QRect place(pick(400), pick(300), 60 + pick(900), 60 + pick(700));
            note(QStringLiteral("main window placed at %1,%2 %3x%4")
                     .arg(place.x())
                     .arg(place.y())
                     .arg(place.width())
                     .arg(place.height()));
            designer_->menu.setGeometry(place);
            return;
        }
        if (window == &designer_->menu && chance(3)) {
            // The window manager puts it where it likes, through the window system as its answers
            // come: the design keeps its numbers, so undoing every step still gives the first.
            QPoint place(pick(400) - 200, pick(300) - 150);
            note(QStringLiteral("the window manager puts the main window at %1,%2")
                     .arg(place.x())
                     .arg(place.y()));
            designer_->menu.windowHandle()->setPosition(place);
            return;
        }
        actIn(window);
    }

    /** A point in the window where something is, mostly. */
    QPoint target(QWidget* window) {
        if (window == &designer_->menu) {
            const auto& controls = designer_->design.controls();
            if (!controls.empty() && chance(70)) {
                const vap::Control& control = *controls[pick(static_cast<int>(controls.size()))];
                QRect shown =
                    designer_->menu.canvas().shownRect(control).intersected(window->rect());
                if (!shown.isEmpty())
                    return pointIn(shown);
            }
        } else if (window == &designer_->inspector && chance(70)) {
            auto* grid = part<QTableWidget>(window, "strPropriedade");
            auto* tabs = part<QTabWidget>(window, "PageControl1");
            QWidget* piece = nullptr;
            QRect rect;
            switch (pick(5)) {
            case 0:
            case 1:
                if (grid->isVisible()) {
                    QRect cell = grid->visualItemRect(grid->item(pick(7), pick(2)));
                    piece = grid->viewport();
                    rect = cell;
                }
                break;
            case 2:
                piece = tabs->tabBar();
                rect = tabs->tabBar()->tabRect(pick(2));
                break;
            case 3:
                piece = part<QComboBox>(window, "cbObjeto");
                rect = piece->rect();
                break;
            default:
                if (auto* list = part<QListWidget>(window, "lsEvento"); list->isVisible()) {
                    piece = list->viewport();
                    rect = list->visualItemRect(list->item(pick(std::max(1, list->count()))));
                    rect.setWidth(std::min(rect.width(), 30)); // the box, or the text's start
                }
            }
            if (piece && !rect.isEmpty())
                return piece->mapTo(window, pointIn(rect));
        } else if (chance(70)) {
            auto buttons = window->findChildren<QAbstractButton*>();
            buttons.removeIf([](QAbstractButton* button) { return !button->isVisible(); });
            if (!buttons.isEmpty()) {
                QAbstractButton* button = buttons[pick(static_cast<int>(buttons.size()))];
                return button->mapTo(window, pointIn(button->rect()));
            }
        }
        return pointIn(window->rect());
    }

    static QString nameOf(const QWidget* widget) {
        QString name = widget->objectName();
        return name.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : name;
    }

    void activate(QWidget* window) {
        // A click in a window that is not active makes it active first, as the window manager
        // does.
        if (QApplication::activeWindow() != window) {
            window->activateWindow();
            settle();
        }
    }

    /** One random action of the user in a window. */
    void actIn(QWidget* window) {
        if (window == &designer_->inspector && chance(10))
            return historyKeysInInspector();
        QPoint at = target(window);
        QWidget* under = window->childAt(at);
        if (!under)
            under = window;
        QPoint local = under->mapFrom(window, at);
        QString where = QStringLiteral("%1 at %2,%3 on %4")
                            .arg(nameOf(window))
                            .arg(at.x())
                            .arg(at.y())
                            .arg(nameOf(under));
        enum Action { Click, DoubleClick, RightClick, Drag, Type, Close, Key };
        // How often each action comes, by window: the main window is for the mouse, the
        // inspector for typing.
        std::array<int, 7> weights{3, 1, 1, 1, 2, 1, 3};
        if (window == &designer_->menu)
            weights = {3, 2, 4, 3, 1, 0, 1};
        else if (window == &designer_->inspector)
            weights = {4, 1, 1, 1, 5, 1, 5};
        std::discrete_distribution<int> actions(weights.begin(), weights.end());
        switch (actions(random_)) {
        case Click: {
            // On the canvas, Ctrl+click adds to the selection or takes from it.
            Qt::KeyboardModifiers modifiers =
                window == &designer_->menu && chance(30) ? Qt::ControlModifier : Qt::NoModifier;
            note(QLatin1String(modifiers ? "ctrl+click " : "click ") + where);
            activate(window);
            QTest::mouseClick(under, Qt::LeftButton, modifiers, local);
            break;
        }
        case DoubleClick: {
            note(QStringLiteral("double click ") + where);
            activate(window);
            QPointer<QWidget> alive(under);
            QTest::mouseDClick(under, Qt::LeftButton, {}, local);
            // QTest sends the second press alone; a mouse releases the button after it.
            if (alive)
                QTest::mouseRelease(under, Qt::LeftButton, {}, local);
            break;
        }
        case RightClick: {
            note(QStringLiteral("right click ") + where);
            activate(window);
            QTest::mousePress(under, Qt::RightButton, {}, local);
            QTest::mouseRelease(under, Qt::RightButton, {}, local);
            QPointer<QWidget> alive(under);
            if (alive) {
                QContextMenuEvent menu(QContextMenuEvent::Mouse, local, under->mapToGlobal(local));
                QApplication::sendEvent(under, &menu);
            }
            break;
        }
        case Drag: {
            if (window == &designer_->menu && chance(40)) {
                // A handle of a selected control, or a modifier held to snap to guides.
                std::vector<QRect> handled = designer_->menu.canvas().handleRects();
                if (!handled.empty()) {
                    auto handles = vap::ui::HandleMarks::handlesOf(
                        handled[static_cast<std::size_t>(pick(static_cast<int>(handled.size())))]);
                    at = handles[static_cast<std::size_t>(pick(8))].center();
                    under = designer_->menu.childAt(at) ? designer_->menu.childAt(at) : window;
                    local = under->mapFrom(window, at);
                    where = QStringLiteral("a handle at %1,%2").arg(at.x()).arg(at.y());
                }
            }
            QPoint to = at + QPoint(pick(301) - 150, pick(301) - 150);
            note(QStringLiteral("drag ") + where +
                 QStringLiteral(" to %1,%2").arg(to.x()).arg(to.y()));
            activate(window);
            QPointer<QWidget> alive(under);
            QTest::mousePress(under, Qt::LeftButton, {}, local);
            std::optional<HistoryState> afterKey; // an undo or redo key pressed mid-gesture
            for (int move = 1, moves = 1 + pick(4); move <= moves && alive; ++move) {
                QTest::mouseMove(under, local + (to - at) * move / moves);
                settle(); // the marks of the gesture are painted as it goes
                if (window == &designer_->menu && alive &&
                    !showsFreshPaint(*designer_->menu.canvas().viewport()))
                    fail(QStringLiteral("mid-gesture, the canvas shows pixels a paint does not"));
                if (window == &designer_->menu && alive && !afterKey && chance(15))
                    afterKey = historyKeyMidGesture();
            }
            if (alive && pick(4) == 0) {
                note(QStringLiteral("right click mid-drag"));
                afterKey.reset(); // the release may run an entry of the menu it lands on
                QPoint mid = local + to - at;
                QContextMenuEvent menu(QContextMenuEvent::Mouse, mid, under->mapToGlobal(mid));
                QApplication::sendEvent(under, &menu);
                // Through the window system, which hands the release to the open menu.
                if (alive && window->windowHandle())
                    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {}, QPoint(1, 1));
            } else if (alive) {
                QTest::mouseRelease(under, Qt::LeftButton, {}, local + to - at);
            }
            settle();
            if (afterKey && *afterKey != historyState())
                fail(QStringLiteral("the release after an undo or redo key changed the design"));
            break;
        }
        case Type: {
            QString text = someText();
            note(QStringLiteral("type %1 into %2").arg(quoted(text), nameOf(keyTarget(window))));
            // Key by key to whatever has the focus then: the first key may open an editor.
            for (QChar key : text) {
                if (!window->isVisible() || failed_)
                    break;
                QTest::keyClick(keyTarget(window), key.toLatin1());
                settle();
            }
            break;
        }
        case Close:
            if (window != &designer_->menu && chance(30)) {
                note(QStringLiteral("close box of ") + nameOf(window));
                window->close();
                break;
            }
            [[fallthrough]];
        default: {
            static const Qt::Key keys[] = {
                Qt::Key_Return,    Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab,
                Qt::Key_Backtab,   Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Left,
                Qt::Key_Right,     Qt::Key_Home,  Qt::Key_End,    Qt::Key_Delete,
                Qt::Key_Backspace, Qt::Key_F2,    Qt::Key_Space,  Qt::Key_PageDown,
            };
            Qt::Key key = keys[pick(std::size(keys))];
            QWidget* focus = keyTarget(window);
            if (window == &designer_->menu && chance(50)) {
                // The canvas' commands on the selection.
                static const QKeyCombination editing[] = {
                    Qt::CTRL | Qt::Key_A,
                    Qt::SHIFT | Qt::Key_Left,
                    Qt::SHIFT | Qt::Key_Down,
                    Qt::CTRL | Qt::Key_C,
                    Qt::CTRL | Qt::Key_X,
                    Qt::CTRL | Qt::Key_V,
                    Qt::CTRL | Qt::Key_D,
                    Qt::CTRL | Qt::SHIFT | Qt::Key_Left,
                    Qt::CTRL | Qt::SHIFT | Qt::Key_Down,
                    Qt::CTRL | Qt::SHIFT | Qt::Key_C,
                    Qt::CTRL | Qt::SHIFT | Qt::Key_M,
                    Qt::CTRL | Qt::SHIFT | Qt::Key_W,
                    Qt::CTRL | Qt::SHIFT | Qt::Key_H,
                    Qt::CTRL | Qt::ALT | Qt::Key_H,
                    Qt::CTRL | Qt::ALT | Qt::Key_V,
                    Qt::SHIFT | Qt::Key_F10,
                    QKeyCombination(Qt::Key_Menu),
                };
                QKeyCombination keys = editing[pick(std::size(editing))];
                note(QStringLiteral("key %1 to %2")
                         .arg(QKeySequence(keys).toString(), nameOf(focus)));
                QTest::keyClick(focus, keys.key(), keys.keyboardModifiers());
                break;
            }
            if (chance(15)) {
                static const QKeyCombination history[] = {
                    Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z};
                QKeyCombination keys = history[pick(std::size(history))];
                note(QStringLiteral("key %1 to %2")
                         .arg(QKeySequence(keys).toString(), nameOf(focus)));
                QTest::keyClick(focus, keys.key(), keys.keyboardModifiers());
                break;
            }
            note(QStringLiteral("key %1 to %2").arg(QKeySequence(key).toString(), nameOf(focus)));
            QTest::keyClick(focus, key);
        }
        }
    }

    /** The design's bytes and where the history stands. */
    using HistoryState = std::pair<std::string, int>;
    HistoryState historyState() const {
        return {vap::serializeDesign(designer_->design), designer_->document.history().index()};
    }

    /** An undo or redo key mid-gesture ends the gesture first, as Escape does; then it acts. */
    HistoryState historyKeyMidGesture() {
        static const QKeyCombination history[] = {Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y,
                                                  Qt::CTRL | Qt::SHIFT | Qt::Key_Z};
        QKeyCombination keys = history[pick(std::size(history))];
        note(QStringLiteral("key %1 mid-gesture").arg(QKeySequence(keys).toString()));
        QTest::keyClick(keyTarget(&designer_->menu), keys.key(), keys.keyboardModifiers());
        settle();
        if (designer_->menu.dragInProgress() || designer_->menu.outlineShown())
            fail(QStringLiteral("the gesture outlived an undo or redo key"));
        return historyState();
    }

    // Undo and redo keys after typing in a cell (a rename, mostly), confirmed or not: in an open
    // editor they never take a step of the design, elsewhere the inspector stays on its control.
    void historyKeysInInspector() {
        auto* list = part<QComboBox>(designer_->inspector, "cbObjeto");
        const vap::Control* shown = designer_->design.findControl(vap::ui::ss(list->currentText()));
        bool rename = chance(40);
        cell(rename ? RowName : pick(RowCount));
        keys(rename ? QStringLiteral("Nome%1").arg(pick(20)) : someText().left(pick(4)));
        if (rename || chance(50))
            press(Qt::Key_Return);
        bool stepped = false;
        QObject watcher;
        QObject::connect(&designer_->document, &vap::ui::DesignDocument::historyStepStarting,
                         &watcher, [&stepped] { stepped = true; });
        for (int n = 1 + pick(3); n > 0 && !failed_ && designer_->inspector.isVisible(); --n) {
            QKeyCombination key = pick(2)   ? Qt::CTRL | Qt::Key_Z
                                  : pick(2) ? Qt::CTRL | Qt::Key_Y
                                            : Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
            QWidget* focus = keyTarget(&designer_->inspector);
            note(QStringLiteral("key %1 to %2").arg(QKeySequence(key).toString(), nameOf(focus)));
            QTest::keyClick(focus, key.key(), key.keyboardModifiers());
            settle();
            if (qobject_cast<QLineEdit*>(focus) && stepped)
                fail(QStringLiteral("a history key in an open cell took a step of the design"));
            else if (shown && designer_->inspector.isVisible() &&
                     designer_->design.contains(shown) &&
                     designer_->design.findControl(vap::ui::ss(list->currentText())) != shown)
                fail(QStringLiteral("an undo or redo took the inspector off ") +
                     vap::ui::qs(shown->name()));
            verify();
        }
    }

    /** Keys go to the focus widget of the active window, as the platform sends them. */
    QWidget* keyTarget(QWidget* window) {
        activate(window);
        if (QWidget* focus = QApplication::focusWidget(); focus && focus->window() == window)
            return focus;
        return window;
    }

    /** An open pop-up menu or list takes the next input, wherever it goes. */
    void actInPopup(QWidget* popup) {
        auto* menu = qobject_cast<QMenu*>(popup);
        QString name = nameOf(popup);
        int choice = pick(10);
        if (menu && choice < 6) {
            QList<QAction*> actions = menu->actions();
            QAction* action = actions[pick(static_cast<int>(actions.size()))];
            note(QStringLiteral("click %1 in %2").arg(action->objectName(), name));
            QTest::mouseClick(menu, Qt::LeftButton, {}, pointIn(menu->actionGeometry(action)));
        } else if (!menu && choice < 6) {
            QWidget* under = popup->childAt(pointIn(popup->rect()));
            if (!under)
                under = popup;
            note(QStringLiteral("click in %1 on %2").arg(name, nameOf(under)));
            QTest::mouseClick(under, Qt::LeftButton, {}, pointIn(under->rect()));
        } else if (choice < 8) {
            int downs = pick(6);
            note(QStringLiteral("%1 times down, then Enter, in %2").arg(downs).arg(name));
            for (int i = 0; i < downs && QApplication::activePopupWidget() == popup; ++i)
                QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Down);
            if (QApplication::activePopupWidget() == popup)
                QTest::keyClick(static_cast<QWidget*>(nullptr),
                                chance(70) ? Qt::Key_Return : Qt::Key_Right);
        } else if (choice < 9) {
            note(QStringLiteral("Escape in ") + name);
            QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Escape);
        } else {
            note(QStringLiteral("click outside ") + name);
            QTest::mouseClick(popup, Qt::LeftButton, {}, QPoint(-5, -5));
        }
    }

    void closeModal(QDialog& dialog) {
        if (chance(50)) {
            note(QStringLiteral("Escape closes ") + dialog.objectName());
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }
        if (dialog.isVisible()) {
            note(QStringLiteral("close box of ") + dialog.objectName());
            dialog.close();
        }
    }

    /** What the event loop does between two actions of the user. */
    static void settle() {
        for (int round = 0; round < 3; ++round) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // ---- invariants

    void verify() {
        if (failed_ || !designer_)
            return;
        QString broken = brokenInvariant();
        if (!broken.isEmpty())
            fail(broken);
    }

    QString brokenInvariant() {
        const vap::Design& design = designer_->design;
        vaptest::Designer& d = *designer_;

        std::vector<std::string> names;
        for (const auto& control : design.controls())
            names.push_back(control->name());
        std::stable_sort(names.begin(), names.end(), vap::listedNameLess);
        const std::vector<std::string> listed = design.objectList().names();
        if (!std::equal(names.begin(), names.end(), listed.begin(), listed.end()))
            return QStringLiteral("the object list is not the controls' names, sorted");

        const vap::ui::DesignCanvas& canvas = d.menu.canvas();
        for (const vap::Control* selected : canvas.selection())
            if (!design.contains(selected))
                return QStringLiteral("the selection holds a control the design has not");
        if (const vap::Control* target = d.menu.menuTarget(); target && !design.contains(target))
            return QStringLiteral("the control menu's target is gone from the design");
        if (canvas.shownCount() != design.controls().size())
            return QStringLiteral("%1 controls on the canvas for %2 controls")
                .arg(canvas.shownCount())
                .arg(design.controls().size());
        const vap::Control* below = nullptr;
        for (const auto& control : design.controls()) {
            vaptest::ShownControl item(d.menu, design, control.get());
            QString name = vap::ui::qs(control->name());
            // Shown as the design says, as far as a screen reaches, above the controls before it.
            QRect shown = vap::ui::shownRect(control->left(), control->top(), control->width(),
                                             control->height());
            QRect drawn = item.geometry();
            if (drawn != shown)
                return QStringLiteral("%1 is shown at %2,%3 %4x%5")
                    .arg(name)
                    .arg(drawn.x())
                    .arg(drawn.y())
                    .arg(drawn.width())
                    .arg(drawn.height());
            if (below && !canvas.drawnAbove(*control, *below))
                return QStringLiteral("%1 is drawn beneath a control made before it").arg(name);
            below = control.get();
            const vap::Control* top = shown.isEmpty() ? nullptr : canvas.controlAt(shown.center());
            if (!shown.isEmpty() &&
                (!top || (top != control.get() && canvas.drawnAbove(*control, *top))))
                return QStringLiteral("the pointer over %1 finds another control").arg(name);
            if (top != control.get())
                continue;
            QString hint = control->showHint() ? vap::ui::qs(control->hint()) : QString();
            if (QString shownHint = item.toolTip(); shownHint != hint)
                return QStringLiteral("%1 shows the hint %2, not %3")
                    .arg(name, quoted(shownHint), quoted(hint));
        }
        // The handles sit on the selected controls as the design places them.
        std::vector<QRect> handled;
        for (const vap::Control* selected : canvas.selection()) {
            QRect bounds = vap::ui::shownRect(selected->left(), selected->top(), selected->width(),
                                              selected->height());
            if (!bounds.isEmpty())
                handled.push_back(bounds);
        }
        if (canvas.handleRects() != handled)
            return QStringLiteral("the handles do not sit on the selected controls");
        if ((d.menu.outlineShown() || d.menu.dragInProgress()) &&
            !(QGuiApplication::mouseButtons() & Qt::LeftButton))
            return QStringLiteral("the drag outline outlived its drag");
        if (!showsFreshPaint(*canvas.viewport()))
            return QStringLiteral("the canvas shows pixels a fresh paint does not");
        if (!canvas.gestureMarksShown() && !drawsAsAFreshCanvas(d))
            return QStringLiteral("the canvas draws the design unlike a canvas made afresh");
        if (d.inspector.isVisible())
            return brokenInInspector();
        return {};
    }

    /**
     * The canvas draws what a canvas made afresh over the design draws with the same selection:
     * what it keeps drawn of the controls is never out of date.
     */
    static bool drawsAsAFreshCanvas(vaptest::Designer& d) {
        vap::ui::DesignCanvas& canvas = d.menu.canvas();
        vap::ui::DesignCanvas fresh(d.document, nullptr);
        fresh.resize(canvas.size());
        fresh.select(canvas.selection());
        return fresh.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
               canvas.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    /**
     * The window shows over the area what a paint of the whole area gives: a partial repaint
     * leaves nothing of a mark or a gesture behind, and draws nothing outside its pieces.
     */
    static bool showsFreshPaint(QWidget& area) {
        if (!area.isVisible() || area.size().isEmpty())
            return true;
        QPoint at = area.mapTo(area.window(), QPoint(0, 0));
        QImage shown =
            area.screen()
                ->grabWindow(area.window()->winId(), at.x(), at.y(), area.width(), area.height())
                .toImage();
        QImage fresh = area.grab().toImage();
        return shown.convertToFormat(QImage::Format_RGB32) ==
               fresh.convertToFormat(QImage::Format_RGB32);
    }

    QString brokenInInspector() {
        const vap::Design& design = designer_->design;
        vap::ui::TF_AcTamanho& inspector = designer_->inspector;
        auto* list = part<QComboBox>(inspector, "cbObjeto");
        const std::vector<std::string> listed = design.objectList().names();
        if (list->count() != static_cast<int>(listed.size()))
            return QStringLiteral("the inspector lists %1 names for %2")
                .arg(list->count())
                .arg(listed.size());
        for (int i = 0; i < list->count(); ++i)
            if (list->itemText(i) != vap::ui::qs(listed[static_cast<std::size_t>(i)]))
                return QStringLiteral("the inspector lists %1 in place of %2")
                    .arg(list->itemText(i), vap::ui::qs(listed[static_cast<std::size_t>(i)]));
        if (list->currentIndex() < 0)
            return QStringLiteral("the inspector is open on no control");
        const vap::Control* control = design.findControl(vap::ui::ss(list->currentText()));
        if (!control)
            return list->currentText().isEmpty()
                       ? QString()
                       : QStringLiteral("the inspector selects %1, which no control has")
                             .arg(list->currentText());

        auto* grid = part<QTableWidget>(inspector, "strPropriedade");
        int edited = -1;
        for (int row = 0; row < grid->rowCount(); ++row)
            if (grid->indexWidget(grid->model()->index(row, 1)))
                edited = row;
        QString name = vap::ui::qs(control->name());
        // An open cell too: the control follows every keystroke typed there.
        auto differs = [&](int row, std::int32_t value) {
            return vap::ValorInteiro(vap::ui::ss(inspector.cellText(row))) != value;
        };
        if (differs(RowLeft, control->left()) || differs(RowTop, control->top()) ||
            differs(RowWidth, control->width()) || differs(RowHeight, control->height()))
            return QStringLiteral("the inspector shows other bounds than %1's").arg(name);
        if (inspector.cellText(RowCaption) != vap::ui::qs(control->caption()) ||
            inspector.cellText(RowHint) != vap::ui::qs(control->hint()))
            return QStringLiteral("the inspector shows another caption or hint than %1's")
                .arg(name);
        QString shownName = inspector.cellText(RowName);
        if (edited != RowName && shownName != name && !refused(shownName, *control))
            return QStringLiteral("the inspector's Name cell shows %1, an acceptable name, for %2")
                .arg(quoted(shownName), name);
        if (vap::ui::qs(inspector.nomeAtual()) != name)
            return QStringLiteral("the inspector would rename %1 from %2")
                .arg(name, vap::ui::qs(inspector.nomeAtual()));
        auto* events = part<QListWidget>(inspector, "lsEvento");
        vap::EventChoice chosen = vap::decodeEventMask(control->tag());
        for (int item = 0; item < events->count() && item < 5; ++item)
            if ((events->item(item)->checkState() == Qt::Checked) !=
                chosen.chosen[static_cast<std::size_t>(item)])
                return QStringLiteral("the inspector shows other events than %1's").arg(name);
        return {};
    }

    /** Whether renaming the control to the text would be refused. */
    bool refused(const QString& text, const vap::Control& control) const {
        if (text.isEmpty())
            return true;
        try {
            designer_->design.checkNameAvailable(vap::ui::ss(text), &control);
            return false;
        } catch (const std::exception&) {
            return true;
        }
    }

    // ---- the record of what happened

    static QString quoted(const QString& text) {
        return QLatin1Char('"') + text + QLatin1Char('"');
    }

public:
    void note(const QString& what) {
        QString line = QStringLiteral("%1: %2").arg(step_).arg(what);
        if (trace_)
            std::fprintf(stderr, "%s\n", qPrintable(line));
        recent_.push_back(line);
        if (recent_.size() > 30)
            recent_.pop_front();
    }

private:
    void fail(const QString& what) {
        failed_ = true;
        std::fprintf(stderr, "monkey: seed %llu, step %d: %s\nmonkey: the last steps:\n",
                     static_cast<unsigned long long>(seed_), step_, qPrintable(what));
        for (const QString& line : recent_)
            std::fprintf(stderr, "  %s\n", qPrintable(line));
        std::fprintf(stderr, "monkey: replay with --seed %llu --steps %d --trace\n",
                     static_cast<unsigned long long>(seed_), step_);
        // Open modal windows and boxes close, so that the run can end.
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    }

    std::uint64_t seed_;
    std::mt19937_64 random_;
    bool trace_;
    int step_ = 0;
    bool failed_ = false;
    bool firstModal_ = true;
    bool scripted_ = false; // a replayed case: modal windows close at once
    std::deque<QString> recent_;
    QTemporaryDir folder_;
    MonkeyDialogs dialogs_{*this};
    std::unique_ptr<vaptest::Designer> designer_;
    std::string startBytes_;

    friend class MonkeyDialogs;
};

std::optional<QString> MonkeyDialogs::askText(QWidget*, const QString&, const QString&,
                                              const QString& preset, int) {
    return monkey_.answerText(preset);
}
bool MonkeyDialogs::askYesNo(QWidget*, const QString&, const QString& question) {
    return monkey_.answerYesNo(question);
}
QString MonkeyDialogs::chooseOpenFile(QWidget*, const vap::ui::FileDialogTexts&) {
    return monkey_.answerFile(true);
}
QString MonkeyDialogs::chooseSaveFile(QWidget*, const vap::ui::FileDialogTexts&) {
    return monkey_.answerFile(false);
}
void MonkeyDialogs::showError(const QString& title, const QString& message) {
    monkey_.note(QStringLiteral("error box: ") + message);
    ScriptedDialogs::showError(title, message);
    takeErrors();
}

void MonkeyDialogs::runModal(QDialog* dialog) {
    if (monkey_.firstModal_) {
        monkey_.firstModal_ = false;
        ScriptedDialogs::runModal(dialog); // the splash the fixture waits for
    }
    monkey_.driveModal(*dialog);
}

const Monkey::Replay replays[] = {
    {"Escape in the Name cell's editor left the typed name there, to be applied later",
     [](Monkey& m) {
         m.command("opc4");
         m.paletteButton("JLb");
         m.command("obj1", "JLabel1");
         m.cell(RowName);
         m.keys(QStringLiteral("Foo"));
         m.press(Qt::Key_Escape);
     }},
    {"A refused name outlived the inspector's closing, and became acceptable meanwhile",
     [](Monkey& m) {
         m.command("opc4");
         m.paletteButton("JLb");
         m.paletteButton("JB");
         m.command("obj1", "JButton1");
         m.cell(RowName);
         m.keys(QStringLiteral("JLabel1"));
         m.press(Qt::Key_Return); // refused: a real box, closed by Enter
         m.press(Qt::Key_Escape); // closes the inspector
         m.command("obj2", "JLabel1");
         m.command("obj1", "JButton1");
     }},
    {"Bounds at the ends of the 32-bit range overflowed the widget's rectangle (sanitizer run)",
     [](Monkey& m) {
         m.command("opc4");
         m.paletteButton("JCb");
         m.command("obj1", "jComboBox1");
         for (auto [row, value] : {std::pair{RowLeft, "2147483647"},
                                   {RowTop, "-2147483648"},
                                   {RowWidth, "2147483647"},
                                   {RowHeight, "-2147483648"},
                                   {RowLeft, "-2147483648"},
                                   {RowWidth, "-2147483648"}}) {
             m.cell(row);
             m.press(Qt::Key_End);
             for (int erase = 0; erase < 12; ++erase)
                 m.press(Qt::Key_Backspace);
             m.keys(QLatin1String(value));
             m.press(Qt::Key_Return);
         }
     }},
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The offscreen platform says so at every raise and grab; nothing else is muted.
    static const QtMessageHandler qtHandler = qInstallMessageHandler(nullptr);
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (!text.startsWith(QLatin1String("This plugin does not support")))
                qtHandler(type, context, text);
        });
    std::signal(SIGALRM, hung);
    std::optional<std::uint64_t> seed;
    int steps = fixedSteps;
    bool trace = false;
    QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--seed") && i + 1 < args.size())
            seed = args[++i].toULongLong();
        else if (args[i] == QLatin1String("--steps") && i + 1 < args.size())
            steps = args[++i].toInt();
        else if (args[i] == QLatin1String("--trace"))
            trace = true;
        else {
            std::fprintf(stderr, "usage: ui_monkey [--seed N] [--steps N] [--trace]\n");
            return 2;
        }
    }
    std::vector<std::uint64_t> seeds;
    bool held = true;
    if (seed) {
        seeds.push_back(*seed);
    } else {
        seeds.assign(std::begin(fixedSeeds), std::end(fixedSeeds));
        for (const Monkey::Replay& replay : replays) {
            Monkey monkey(0, trace);
            held = held && monkey.replay(replay);
        }
    }
    int total = 0;
    for (std::size_t i = 0; i < seeds.size() && held; ++i) {
        Monkey monkey(seeds[i], trace);
        held = monkey.run(steps);
        total += monkey.steps();
    }
    std::printf("monkey: %zu seeds, %d steps, %s\n", seeds.size(), total,
                held ? "every invariant held" : "an invariant broke");
    return held ? 0 : 1;
}
