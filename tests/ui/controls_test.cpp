// The controls on the main window: the drag gesture, its outline, and the kinds' looks.

#include "support/designer.h"
#include "support/scripteddialogs.h"

#include "core/model/creation.h"
#include "ui/controllook.h"
#include "ui/tjcomponent.h"

#include <QApplication>
#include <QTest>

using vaptest::ShownControl;

namespace {

/** The drag outline as the canvas draws it, in the main window's coordinates; null when hidden. */
QRect visibleOutline(const vap::ui::TF_Menu& menu) {
    QRect outline;
    for (const QRect& rect : menu.canvas().outlines().rects())
        outline |= rect;
    return outline;
}

bool isBlack(const QImage& image, int x, int y) {
    return image.pixelColor(x, y) == QColor(Qt::black);
}

} // namespace

class Controls : public vaptest::DesignerTest {
    Q_OBJECT

private:
    ShownControl make(vap::ControlKind kind) {
        const vap::Control& control = vap::createOfKind(designer->design, kind, true);
        return ShownControl(designer->menu, designer->design, &control);
    }
    /** The control as the canvas paints it, once the paint is done. */
    QImage grab(const ShownControl& control) {
        QCoreApplication::processEvents();
        return control.viewport()->grab(control.geometry()).toImage();
    }

private slots:
    void init() { start(1, true); }
    void cleanup() { finish(); }

    void dragMovesByReleaseOffset_data() {
        QTest::addColumn<QPoint>("moveTo");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<QPoint>("landsAt");
        // The label starts at (1, 40) and is pressed at (5, 5) of its own client area.
        QTest::newRow("released past the last move")
            << QPoint(35, 20) << QPoint(50, 10) << QPoint(46, 45);
        QTest::newRow("past the top-left corner")
            << QPoint(-20, -30) << QPoint(-40, -60) << QPoint(-44, -25);
        QTest::newRow("released in place") << QPoint(5, 5) << QPoint(5, 5) << QPoint(1, 40);
        QTest::newRow("back where it was pressed")
            << QPoint(60, 60) << QPoint(5, 5) << QPoint(1, 40);
    }
    void dragMovesByReleaseOffset() {
        QFETCH(QPoint, moveTo);
        QFETCH(QPoint, releaseAt);
        QFETCH(QPoint, landsAt);
        ShownControl label = make(vap::ControlKind::Label);
        const vap::Control& control = label.control();
        QCOMPARE(label.geometry(), QRect(1, 40, 57, 13));

        vaptest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(label.isDragging());
        QCOMPARE(visibleOutline(designer->menu), QRect(1, 40, 57, 13));
        if (moveTo != QPoint(5, 5))
            vaptest::mouseMove(label, moveTo);
        // Only the outline follows the pointer; the control stays until the release.
        QCOMPARE(visibleOutline(designer->menu),
                 QRect(QPoint(1, 40) + moveTo - QPoint(5, 5), QSize(57, 13)));
        QCOMPARE(QPoint(control.left(), control.top()), QPoint(1, 40));
        QCOMPARE(label.pos(), QPoint(1, 40));

        vaptest::mouseRelease(label, Qt::LeftButton, {}, releaseAt);
        QVERIFY(!label.isDragging());
        QVERIFY(visibleOutline(designer->menu).isNull());
        QCOMPARE(QPoint(control.left(), control.top()), landsAt);
        QCOMPARE(QSize(control.width(), control.height()), QSize(57, 13));
        QCOMPARE(label.geometry(), QRect(landsAt, QSize(57, 13)));
    }

    void otherButtonsNeitherStartNorEndADrag() {
        ShownControl field = make(vap::ControlKind::TextField);
        vaptest::mousePress(field, Qt::RightButton, {}, QPoint(5, 5));
        vaptest::mouseMove(field, QPoint(45, 25));
        vaptest::mouseRelease(field, Qt::RightButton, {}, QPoint(45, 25));
        QVERIFY(!field.isDragging());
        QVERIFY(visibleOutline(designer->menu).isNull());
        QCOMPARE(field.control().left(), 1);
        QCOMPARE(field.control().top(), 40);

        // A right click in the middle of a left drag leaves the drag going.
        vaptest::mousePress(field, Qt::LeftButton, {}, QPoint(5, 5));
        vaptest::mouseMove(field, QPoint(15, 10));
        vaptest::mousePress(field, Qt::RightButton, {}, QPoint(15, 10));
        vaptest::mouseRelease(field, Qt::RightButton, {}, QPoint(15, 10));
        QVERIFY(field.isDragging());
        QCOMPARE(visibleOutline(designer->menu), QRect(11, 45, 100, 21));
        vaptest::mouseRelease(field, Qt::LeftButton, {}, QPoint(15, 10));
        QCOMPARE(field.geometry(), QRect(11, 45, 100, 21));
    }

    void comboArrowRows_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("firstRow");
        QTest::newRow("fresh 130x21") << 130 << 21 << 9;
        QTest::newRow("height 23 (11.5 to 12)") << 130 << 23 << 11;
        QTest::newRow("height 25 (12.5 to 12)") << 130 << 25 << 11;
        QTest::newRow("wider") << 161 << 21 << 9;
    }
    void comboArrowRows() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, firstRow);
        ShownControl combo = make(vap::ControlKind::ComboBox);
        QCOMPARE(combo.control().name(), std::string("jComboBox1"));
        QCOMPARE(vap::ui::TJComponent::ofKind(combo.control().kind()).className(), "TJComboBox");
        designer->design.setWidth(combo.control(), width);
        designer->design.setHeight(combo.control(), height);
        QImage image = grab(combo);
        QCOMPARE(image.size(), QSize(width, height));

        // Rows of 8, 6, 4 and 2 black pixels, from Width - 17 + i to Width - 10 - i.
        for (int i = 0; i < 4; ++i) {
            int row = firstRow + i;
            for (int x = width - 17 + i; x <= width - 10 - i; ++x)
                QVERIFY2(isBlack(image, x, row),
                         qPrintable(QStringLiteral("(%1, %2)").arg(x).arg(row)));
            QVERIFY(!isBlack(image, width - 18 + i, row));
            QVERIFY(!isBlack(image, width - 9 - i, row));
        }
        for (int x = width - 18; x <= width - 9; ++x) {
            QVERIFY(!isBlack(image, x, firstRow - 1));
            QVERIFY(!isBlack(image, x, firstRow + 4));
        }
    }

    void labelLooksLikeGreyBoldText() {
        ShownControl label = make(vap::ControlKind::Label);
        QVERIFY(vap::ui::controlFont(vap::ui::lookOf(label.control().kind())).bold());
        QImage image = grab(label);
        // No bevel: the corners are the window's grey; the caption is drawn in greyish blue.
        QCOMPARE(image.pixelColor(0, 0), QColor(207, 207, 207));
        QCOMPARE(image.pixelColor(56, 12), QColor(207, 207, 207));
        bool captionColour = false;
        for (int y = 0; y < image.height() && !captionColour; ++y) {
            for (int x = 0; x < image.width() && !captionColour; ++x)
                captionColour = image.pixelColor(x, y) == QColor(96, 103, 159);
        }
        QVERIFY(captionColour);
    }
};

QTEST_MAIN(Controls)
#include "controls_test.moc"
