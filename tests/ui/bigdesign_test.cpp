// Designs at the edges of what a file may hold: 100,000 and 200,000 controls, and bounds anywhere
// in the 32-bit range. The window must open, paint, resize and save them, and take every command
// on them, without crashing, overflowing or allocating what no screen can show. How fast is for
// vapcanvasbench.

#include "support/designer.h"
#include "support/files.h"
#include "support/parts.h"
#include "support/scripteddialogs.h"

#include "core/model/design.h"
#include "ui/controllook.h"
#include "ui/javapreview.h"
#include "ui/pixelcover.h"

#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using vaptest::readFile;
using vaptest::writeFile;

namespace {

constexpr int bigCount = 100000;

/** One control record of a design file. */
std::string record(const char* tag, std::int64_t left, std::int64_t top, std::int64_t height,
                   std::int64_t width, const std::string& name) {
    return std::string(tag) + ':' + std::to_string(left) + ':' + std::to_string(top) + ':' +
           std::to_string(height) + ':' + std::to_string(width) + ":0\r\n" + name + "\r\n" + name +
           "\r\n\r\n";
}

/**
 * A 900 x 600 window. The first control stands alone at the top right; the others fill the
 * band from y 100 to 700 left of x 700, so the area right of it, under the first control, is
 * empty background.
 */
std::string bigDesignFile() {
    static const char* const tags[] = {"LAB", "TXF", "PWD", "BUT", "LIS", "CBX"};
    std::string bytes = "JAN:0:0:600:900:0\r\nBig\r\nBig\r\n\r\n";
    bytes += record("BUT", 800, 10, 30, 100, "first");
    std::uint32_t state = 12345;
    auto next = [&state](std::uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return static_cast<std::int64_t>((state >> 8) % bound);
    };
    for (int i = 1; i < bigCount; ++i)
        bytes += record(tags[i % 6], next(650), 100 + next(560), 10 + next(40), 20 + next(50),
                        "c" + std::to_string(i));
    return bytes;
}

/** The most controls a design holds, packed into 300 x 300 pixels of a 1000 x 700 window. */
std::string packedDesignFile() {
    static const char* const tags[] = {"LAB", "TXF", "PWD", "BUT", "LIS", "CBX"};
    std::string bytes = "JAN:0:0:700:1000:0\r\nPacked\r\nPacked\r\n\r\n";
    std::uint32_t state = 54321;
    auto next = [&state](std::uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return static_cast<std::int64_t>((state >> 8) % bound);
    };
    for (std::size_t i = 1; i <= vap::ui::DesignDocument::maxControls; ++i)
        bytes += record(tags[i % 6], next(231), next(241), 10 + next(50), 20 + next(50),
                        "c" + std::to_string(i));
    return bytes;
}

/** A mouse event through the window, hit-tested as the platform's events are. */
void sendThroughWindow(QWidget& top, QEvent::Type type, QPoint at, Qt::MouseButton button,
                       Qt::MouseButtons buttons) {
    QPointF local(at);
    QMouseEvent event(type, local, local, QPointF(top.mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(top.windowHandle(), &event);
}

} // namespace

class BigDesigns : public vaptest::DesignerTest {
    Q_OBJECT

private:
    QTemporaryDir folder;

    vap::ui::TF_Menu& menu() { return designer->menu; }
    QMenu* popup(const char* name) { return vaptest::part<QMenu>(menu(), name); }

    void open(const QString& path) {
        dialogs->answerOpenFile(path);
        designer->trigger("opc6");
    }

private slots:
    void init() { start(); }
    void cleanup() { finish(); }

    void hundredThousandControlsOpenPaintAndResize() {
        const QString path = folder.filePath(QStringLiteral("big.vap"));
        QVERIFY(writeFile(path, bigDesignFile()));
        open(path);
        QCOMPARE(designer->design.controls().size(), std::size_t{bigCount});
        QCOMPARE(designer->shownCount(), bigCount);
        QCoreApplication::processEvents(); // as the event loop goes on after the command
        menu().resize(1000, 790);          // as the user enlarges it
        QCoreApplication::processEvents();

        // Later controls lie over earlier ones.
        const auto& controls = designer->design.controls();
        const vap::Control& last = *controls.back();
        QCOMPARE(menu().canvas().controlAt(QPoint(last.left() + 1, last.top() + 1)), &last);

        // The first control, under the empty area of the later ones, still takes a drag.
        vaptest::ShownControl first = designer->shown(QStringLiteral("first"));
        QVERIFY(first && menu().canvas().controlAt(QPoint(810, 20)) == &first.control());
        sendThroughWindow(menu(), QEvent::MouseButtonPress, QPoint(810, 20), Qt::LeftButton,
                          Qt::LeftButton);
        QVERIFY(first.isDragging());
        sendThroughWindow(menu(), QEvent::MouseMove, QPoint(830, 25), Qt::NoButton, Qt::LeftButton);
        sendThroughWindow(menu(), QEvent::MouseButtonRelease, QPoint(830, 25), Qt::LeftButton,
                          Qt::NoButton);
        QVERIFY(!first.isDragging());
        QCOMPARE(first.geometry(), QRect(820, 15, 100, 30));

        // A right click on it opens its control menu; one on the empty background the main menu,
        // and a left press there afterwards drags nothing.
        auto rightClick = [this](QPoint at) {
            sendThroughWindow(menu(), QEvent::MouseButtonPress, at, Qt::RightButton,
                              Qt::RightButton);
            sendThroughWindow(menu(), QEvent::MouseButtonRelease, at, Qt::RightButton,
                              Qt::NoButton);
        };
        rightClick(QPoint(830, 25));
        QVERIFY(QTest::qWaitFor([this] { return popup("popObj")->isVisible(); }, 2000));
        QCOMPARE(menu().menuTarget(), &first.control());
        popup("popObj")->hide();
        rightClick(QPoint(950, 500));
        QVERIFY(QTest::qWaitFor([this] { return popup("popMnu")->isVisible(); }, 2000));
        QVERIFY(!popup("popObj")->isVisible());
        popup("popMnu")->hide();
        sendThroughWindow(menu(), QEvent::MouseButtonPress, QPoint(950, 500), Qt::LeftButton,
                          Qt::LeftButton);
        QVERIFY(!first.isDragging() && !menu().canvas().outlines().isShown());
        sendThroughWindow(menu(), QEvent::MouseButtonRelease, QPoint(950, 500), Qt::LeftButton,
                          Qt::NoButton);

        designer->trigger("opc8");
        QCOMPARE(designer->shownCount(), 0);
    }

    // Every command on the most controls a design holds, crowded into a few cells: each gives
    // the selection it must, the canvas finds the topmost control where the design has it, and
    // undo and redo give back the design byte for byte.
    void mostControlsTakeEveryCommand() {
        const QString path = folder.filePath(QStringLiteral("packed.vap"));
        QVERIFY(writeFile(path, packedDesignFile()));
        open(path);
        const std::size_t all = vap::ui::DesignDocument::maxControls;
        const auto& controls = designer->design.controls();
        QCOMPARE(controls.size(), all);
        const vap::ui::DesignCanvas& canvas = menu().canvas();
        auto key = [this](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
            QTest::keyClick(&menu(), static_cast<Qt::Key>(key), modifiers);
            QCoreApplication::processEvents(); // the command runs once the key is handled
        };
        const QString savedPath = folder.filePath(QStringLiteral("saved.vap"));
        auto saved = [&] {
            dialogs->answerSaveFile(savedPath);
            designer->trigger("opc7");
            return readFile(savedPath);
        };
        auto topmostFound = [&] {
            for (QPoint at : {QPoint(0, 0), QPoint(40, 120), QPoint(150, 150), QPoint(299, 299)}) {
                auto top = std::find_if(controls.rbegin(), controls.rend(), [&](const auto& c) {
                    return QRect(c->left(), c->top(), c->width(), c->height()).contains(at);
                });
                if (canvas.controlAt(at) != (top == controls.rend() ? nullptr : top->get()))
                    return false;
            }
            return true;
        };
        const QByteArray first = saved();

        key(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(canvas.selection().size(), all);
        key(Qt::Key_Escape);
        QVERIFY(canvas.selection().empty());
        const QPoint corner = canvas.rect().bottomRight() - QPoint(4, 4); // past every control
        QVERIFY(!canvas.controlAt(corner));
        sendThroughWindow(menu(), QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
        sendThroughWindow(menu(), QEvent::MouseMove, QPoint(0, 0), Qt::NoButton, Qt::LeftButton);
        sendThroughWindow(menu(), QEvent::MouseButtonRelease, QPoint(0, 0), Qt::LeftButton,
                          Qt::NoButton);
        QCOMPARE(canvas.selection().size(), all);
        const std::int32_t left = controls.back()->left();
        key(Qt::Key_Right);
        QCOMPARE(controls.back()->left(), left + 1);
        QVERIFY(topmostFound());
        for (int redo : {Qt::Key_Z, Qt::Key_Y, Qt::Key_Z})
            key(redo, Qt::ControlModifier);
        QCOMPARE(saved(), first);

        key(Qt::Key_Delete);
        QVERIFY(controls.empty() && canvas.selection().empty());
        QCOMPARE(designer->shownCount(), 0);
        for (int redo : {Qt::Key_Z, Qt::Key_Y, Qt::Key_Z})
            key(redo, Qt::ControlModifier);
        QCOMPARE(saved(), first);
        QVERIFY(topmostFound());

        key(Qt::Key_A, Qt::ControlModifier);
        key(Qt::Key_C, Qt::ControlModifier);
        designer->trigger("opc8");
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(controls.size(), all);
        QCOMPARE(canvas.selection().size(), all);
        QVERIFY(topmostFound());
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(controls.empty());

        // Ctrl+R says at once that javac would refuse it: no source is made.
        key(Qt::Key_Z, Qt::ControlModifier); // the Clear undone
        vap::ui::JavaPreview preview;
        menu().attachPreview(&preview);
        key(Qt::Key_R, Qt::ControlModifier);
        vaptest::ScriptedDialogs::deliverReportedErrors();
        QVERIFY(dialogs->takeError().startsWith(QStringLiteral(
            "o javac recusará este código (\"code too large\"): os controles pedem")));
        menu().attachPreview(nullptr);
    }

    // What the canvas leaves unpainted as hidden, against pixels counted one by one: rectangles
    // reaching in and out of the area, across the words of a row.
    void pixelCoverKnowsWhatIsHidden() {
        const QRect area(-7, 3, 150, 40);
        vap::ui::PixelCover cover(area);
        std::vector<bool> covered(static_cast<std::size_t>(area.width() * area.height()));
        std::uint32_t state = 99;
        auto next = [&state](std::uint32_t bound) {
            state = state * 1664525u + 1013904223u;
            return static_cast<int>((state >> 8) % bound);
        };
        for (int i = 0; i <= 400; ++i) {
            QRect rect(area.left() - 10 + next(170), area.top() - 10 + next(60), 1 + next(70),
                       1 + next(8));
            if (i == 400)
                rect = area;
            bool hidden = true;
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    if (area.contains(x, y)) {
                        auto pixel =
                            covered.begin() + (y - area.top()) * area.width() + (x - area.left());
                        hidden = hidden && *pixel;
                        *pixel = true;
                    }
            QCOMPARE(cover.coveredBefore(rect), hidden);
            QCOMPARE(cover.full(),
                     std::find(covered.begin(), covered.end(), false) == covered.end());
        }
    }

    void tooManyControlsAreRefusedBeforeTheDesignChanges() {
        const QString small = folder.filePath(QStringLiteral("small.vap"));
        QVERIFY(writeFile(small, "JAN:0:0:300:400:0\r\nSmall\r\n\r\n\r\n" +
                                     record("LAB", 5, 5, 13, 57, "kept")));
        open(small);
        std::string bytes = "JAN:0:0:300:400:0\r\nHuge\r\n\r\n\r\n";
        for (int i = 0; i <= 200000; ++i)
            bytes += record("LAB", 0, 0, 1, 1, "c" + std::to_string(i));
        const QString path = folder.filePath(QStringLiteral("toomany.vap"));
        QVERIFY(writeFile(path, bytes));
        open(path);
        QCOMPARE(dialogs->takeError(), QStringLiteral("Too many controls: the file has 200001, the "
                                                      "designer shows at most 200000."));
        QCOMPARE(designer->objectList(), QStringList{QStringLiteral("kept")});
        QCOMPARE(designer->design.window().caption, std::string("Small"));
    }

    void extremeBoundsAreShownClampedAndSavedUnchanged() {
        constexpr std::int64_t most = INT32_MAX;
        constexpr std::int64_t least = INT32_MIN;
        const std::string file =
            "JAN:" + std::to_string(most) + ':' + std::to_string(most) + ':' +
            std::to_string(most) + ':' + std::to_string(most) + ":0\r\nHuge\r\nHuge\r\n\r\n" +
            record("LAB", most, most, most, most, "farthest") +
            record("TXF", least, least, most, most, "everywhere") +
            record("BUT", least, 0, least, least, "negative") +
            record("CBX", 0, 0, most, most, "vast") + record("LIS", 10, 10, 50, 60, "plain");
        const QString path = folder.filePath(QStringLiteral("huge.vap"));
        QVERIFY(writeFile(path, file));
        open(path);
        menu().repaint();
        QCoreApplication::processEvents();

        // What is shown fits the desktop; the design keeps the file's numbers and saves them.
        const QSize desktop = menu().screen()->virtualSize();
        QVERIFY(menu().frameGeometry().width() <= desktop.width());
        QVERIFY(menu().frameGeometry().height() <= desktop.height());
        const int limit = vap::ui::shownCoordinateLimit;
        QCOMPARE(designer->shown(QStringLiteral("everywhere")).geometry(),
                 QRect(QPoint(-limit, -limit), QPoint(-2, -2)));
        QCOMPARE(designer->shown(QStringLiteral("vast")).geometry(), QRect(0, 0, limit, limit));
        QVERIFY(designer->shown(QStringLiteral("negative")).geometry().isEmpty());
        QCOMPARE(designer->shown(QStringLiteral("plain")).geometry(), QRect(10, 10, 60, 50));
        const QString saved = folder.filePath(QStringLiteral("huge-saved.vap"));
        dialogs->answerSaveFile(saved);
        designer->trigger("opc7");
        QCOMPARE(readFile(saved), QByteArray::fromStdString(file));

        // Drags stop at the ends of the 32-bit range instead of wrapping around. The controls off
        // the canvas go with "vast" in the selection, which stops with them; it is pressed clear
        // of "plain".
        const struct {
            const char* name;
            QPoint by;
            std::int64_t left, top, vastLeft;
        } drags[] = {{"farthest", {30, 15}, most, most, 0},
                     {"everywhere", {-30, -15}, least, least, 0},
                     {"vast", {30, 15}, 30, 15, 30}};
        const QPoint press(100, 100);
        for (const auto& drag : drags) {
            const vap::Control& control = designer->control(QLatin1String(drag.name));
            vaptest::ShownControl vast = designer->shown(QStringLiteral("vast"));
            menu().canvas().select({&control, &vast.control()});
            vaptest::mousePress(vast, Qt::LeftButton, {}, press);
            vaptest::mouseMove(vast, press + drag.by);
            vaptest::mouseRelease(vast, Qt::LeftButton, {}, press + drag.by);
            QCOMPARE(std::int64_t{vast.control().left()}, drag.vastLeft);
            QCOMPARE(std::int64_t{control.left()}, drag.left);
            QCOMPARE(std::int64_t{control.top()}, drag.top);
        }

        // Only a real resize by the user goes into the design.
        menu().resize(400, 300);
        const vap::DesignWindow& window = designer->design.window();
        QCOMPARE(window.width, menu().frameGeometry().width());
        QCOMPARE(window.height, menu().frameGeometry().height());
        QCOMPARE(std::int64_t{window.left}, most);
        QCOMPARE(std::int64_t{window.top}, most);
    }
};

QTEST_MAIN(BigDesigns)
#include "bigdesign_test.moc"
