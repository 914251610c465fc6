// Designs at the edges of what a file may hold: 100,000 controls, and bounds anywhere in the
// 32-bit range. The window must open, paint, resize and save them without crashing, overflowing
// or allocating what no screen can show.

#include "support/designer.h"
#include "support/scripteddialogs.h"

#include "core/model/design.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>

using vap::ui::TJComponent;
using vaptest::Designer;

namespace {

constexpr int bigCount = 100000;

/** One control record of a design file. */
std::string record(const char* tag, std::int64_t left, std::int64_t top, std::int64_t height,
                   std::int64_t width, const std::string& name) {
    return std::string(tag) + ':' + std::to_string(left) + ':' + std::to_string(top) + ':' +
           std::to_string(height) + ':' + std::to_string(width) + ":0\r\n" + name + "\r\n" + name +
           "\r\n\r\n";
}

bool writeFile(const QString& path, const std::string& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

/**
 * A 1024 x 768 window. The first control stands alone at the top right; the others fill the
 * band from y 100 to 700 left of x 700, so the area right of it, under the first control, is
 * empty background.
 */
std::string bigDesignFile() {
    static const char* const tags[] = {"LAB", "TXF", "PWD", "BUT", "LIS", "CBX"};
    std::string bytes = "JAN:100:50:768:1024:0\r\nBig\r\nBig\r\n\r\n";
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

/** A mouse event through the window, hit-tested as the platform's events are. */
void sendThroughWindow(QWidget& top, QEvent::Type type, QPoint at, Qt::MouseButton button,
                       Qt::MouseButtons buttons) {
    QPointF local(at);
    QMouseEvent event(type, local, local, QPointF(top.mapToGlobal(at)), button, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(top.windowHandle(), &event);
}

} // namespace

class BigDesigns : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<vaptest::ScriptedDialogs> dialogs;
    std::unique_ptr<Designer> designer;
    QTemporaryDir folder;

    vap::ui::TF_Menu& menu() { return designer->menu; }
    QAction* entry(const char* name) { return menu().findChild<QAction*>(QLatin1String(name)); }
    QMenu* popup(const char* name) { return menu().findChild<QMenu*>(QLatin1String(name)); }

    void open(const QString& path) {
        dialogs->answerOpenFile(path);
        entry("opc6")->trigger();
    }
    void saveAs(const QString& path) {
        dialogs->answerSaveFile(path);
        entry("opc7")->trigger();
    }

private slots:
    void init() {
        designer.reset();
        dialogs = std::make_unique<vaptest::ScriptedDialogs>();
        designer = std::make_unique<Designer>(*dialogs);
        QVERIFY(designer->started());
        dialogs->takeRequests();
    }
    void cleanup() {
        designer.reset();
        dialogs->verifySettled();
        dialogs.reset();
    }

    void hundredThousandControlsOpenPaintAndResize() {
        const QString path = folder.filePath(QStringLiteral("big.vap"));
        QVERIFY(writeFile(path, bigDesignFile()));
        open(path);
        QCOMPARE(designer->design.controls().size(), std::size_t{bigCount});
        QCOMPARE(designer->widgetCount(), bigCount);
        menu().repaint();
        menu().resize(1400, 900); // as the user enlarges it
        menu().repaint();
        QCoreApplication::processEvents();

        // Later controls lie over earlier ones.
        const auto& controls = designer->design.controls();
        const vap::Control& last = *controls.back();
        QCOMPARE(menu().childAt(QPoint(last.left() + 1, last.top() + 1)),
                 menu().controlWidget(last));

        // The first control, under the empty area of the later ones, still takes a drag.
        TJComponent* first = designer->widget(QStringLiteral("first"));
        QVERIFY(first && first->isVisible());
        sendThroughWindow(menu(), QEvent::MouseButtonPress, QPoint(810, 20), Qt::LeftButton,
                          Qt::LeftButton);
        QVERIFY(first->isDragging());
        sendThroughWindow(menu(), QEvent::MouseMove, QPoint(830, 25), Qt::NoButton, Qt::LeftButton);
        sendThroughWindow(menu(), QEvent::MouseButtonRelease, QPoint(830, 25), Qt::LeftButton,
                          Qt::NoButton);
        QVERIFY(!first->isDragging());
        QCOMPARE(first->geometry(), QRect(820, 15, 100, 30));

        // A right click on the empty background opens the main menu, not the control menu.
        sendThroughWindow(menu(), QEvent::MouseButtonPress, QPoint(1000, 600), Qt::RightButton,
                          Qt::RightButton);
        sendThroughWindow(menu(), QEvent::MouseButtonRelease, QPoint(1000, 600), Qt::RightButton,
                          Qt::NoButton);
        QVERIFY(QTest::qWaitFor([this] { return popup("popMnu")->isVisible(); }, 2000));
        popup("popMnu")->hide();
        QVERIFY(!popup("popObj")->isVisible());

        entry("opc8")->trigger();
        QCOMPARE(designer->widgetCount(), 0);
    }
};

QTEST_MAIN(BigDesigns)
#include "bigdesign_test.moc"
