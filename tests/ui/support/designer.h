#pragma once

#include "parts.h"
#include "scripteddialogs.h"

#include "core/model/design.h"
#include "ui/applanguage.h"
#include "ui/designdocument.h"
#include "ui/factamanho.h"
#include "ui/fcriaobjeto.h"
#include "ui/fmenu.h"

#include <QAction>
#include <QDialog>
#include <QHelpEvent>
#include <QMenu>
#include <QStringList>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <memory>

namespace vaptest {

/** A control of the design as the main window's canvas shows it; false once the control is gone. */
class ShownControl {
public:
    ShownControl(const vap::ui::TF_Menu& menu, const vap::Design& design,
                 const vap::Control* control)
        : menu_(&menu), design_(&design), control_(control) {}

    explicit operator bool() const { return control_ && design_->contains(control_); }
    const vap::Control& control() const { return *control_; }
    const vap::ui::DesignCanvas& canvas() const { return menu_->canvas(); }
    QWidget* viewport() const { return canvas().viewport(); }

    /** Where it shows, in the main window's client coordinates. */
    QRect geometry() const { return canvas().shownRect(*control_); }
    QPoint pos() const { return geometry().topLeft(); }
    int x() const { return geometry().x(); }
    /** A point given in the control's own coordinates (its middle if null), on the viewport. */
    QPoint onCanvas(QPoint local) const {
        // The middle as QRect gives it, which the checks use too: left of or above the window it
        // rounds toward zero.
        return local.isNull() ? geometry().center() : pos() + local;
    }
    /** The hint a pause of the pointer over the control's middle shows, if any. */
    QString toolTip() const {
        QPoint at = onCanvas(QPoint());
        QHelpEvent help(QEvent::ToolTip, at, viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport(), &help);
        return help.isAccepted() ? QToolTip::text() : QString();
    }
    /** Whether a gesture in progress moves it: one showing an outline of its size. */
    bool isDragging() const {
        if (!canvas().gestureInProgress() || !*this)
            return false;
        const std::vector<QRect>& outlines = canvas().outlines().rects();
        return std::any_of(outlines.begin(), outlines.end(),
                           [this](const QRect& rect) { return rect.size() == geometry().size(); });
    }

private:
    const vap::ui::TF_Menu* menu_;
    const vap::Design* design_;
    const vap::Control* control_;
};

/** The mouse on a control: the point is in the control's coordinates, as on a widget of its own. */
inline void mousePress(const ShownControl& control, Qt::MouseButton button,
                       Qt::KeyboardModifiers modifiers = {}, QPoint local = QPoint()) {
    QTest::mousePress(control.viewport(), button, modifiers, control.onCanvas(local));
}
inline void mouseRelease(const ShownControl& control, Qt::MouseButton button,
                         Qt::KeyboardModifiers modifiers = {}, QPoint local = QPoint()) {
    QTest::mouseRelease(control.viewport(), button, modifiers, control.onCanvas(local));
}
inline void mouseDClick(const ShownControl& control, Qt::MouseButton button,
                        Qt::KeyboardModifiers modifiers = {}, QPoint local = QPoint()) {
    QTest::mouseDClick(control.viewport(), button, modifiers, control.onCanvas(local));
}
inline void mouseMove(const ShownControl& control, QPoint local = QPoint()) {
    QTest::mouseMove(control.viewport(), control.onCanvas(local));
}

/**
 * The designer's windows wired as start-up wires them: the main window over a fresh design, the
 * inspector and the palette. Showing the main window runs its first-show work with the given
 * language, which ends by showing the splash window through the scripted dialogs.
 */
struct Designer {
    Designer(ScriptedDialogs& dialogs, int lingua = 1) : dialogs_(dialogs) {
        QObject::connect(&inspector, &QDialog::finished, &inspector, [this] {
            controlsWhenInspectorClosed = static_cast<int>(design.controls().size());
        });
        menu.attachInspector(&inspector);
        menu.attachPalette(&palette);
        menu.setLanguageReader([lingua] { return vap::LanguageCode(lingua); });
        dialogs.answerModal([this](QDialog& splash) {
            splashShown = splash.objectName() == QLatin1String("F_Splash");
        });
        menu.show();
    }

    /** Waits for the first showing to finish, splash included. */
    bool started() {
        return QTest::qWaitFor([this] { return splashShown || dialogs_.unanswered() > 0; }, 5000) &&
               splashShown;
    }

    /** Clicks the palette's button of that name (JLb, JTF, JPF, JB, JLi, JCb). */
    void create(const char* button) {
        QTest::mouseClick(part<QToolButton>(palette, button), Qt::LeftButton);
    }
    /** The main window's menu entry of that name (opc1, ..., obj2). */
    QAction* entry(const char* name) const { return part<QAction>(menu, name); }
    void trigger(const char* entryName) const { entry(entryName)->trigger(); }
    /** Runs an entry of a control's own menu (obj1 adjusts it, obj2 deletes it). */
    void onControl(const QString& name, const char* entryName) {
        menu.openControlMenu(design.findControl(name.toStdString()), QPoint(10, 10));
        entry(entryName)->trigger();
        part<QMenu>(menu, "popObj")->hide();
    }

    /** The control of exactly that name as the canvas shows it; false when there is none. */
    ShownControl shown(const QString& name) const {
        const vap::Control* found = design.findControl(name.toStdString());
        return ShownControl(menu, design,
                            found && vap::ui::qs(found->name()) == name ? found : nullptr);
    }
    const vap::Control& control(const QString& name) const {
        return *design.findControl(name.toStdString());
    }
    QStringList objectList() const {
        QStringList names;
        for (const std::string& name : design.objectList().names())
            names << vap::ui::qs(name);
        return names;
    }
    int shownCount() const { return static_cast<int>(menu.canvas().shownCount()); }

    ScriptedDialogs& dialogs_;
    vap::ui::DesignDocument document;
    vap::Design& design = document.design();
    vap::ui::TF_Menu menu{document};
    vap::ui::TF_AcTamanho inspector{document};
    vap::ui::TF_CriaObjeto palette{document};
    bool splashShown = false;
    /** How many controls were on the window when the inspector last closed; -1 before. */
    int controlsWhenInspectorClosed = -1;
};

/**
 * What every window test shares: fresh dialog answers and a started designer for each test
 * function, and at its end the check that every answer was asked for and every error box taken.
 * A test class derives from it and calls start() from init() and finish() from cleanup().
 */
class DesignerTest : public QObject {
protected:
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<Designer> designer;

    /** Starts the designer afresh in the language, as at program start, past its splash. */
    void start(int lingua = 1, bool centred = false) {
        designer.reset();
        if (!dialogs)
            dialogs = std::make_unique<ScriptedDialogs>();
        vap::ui::appLanguage() = vap::LanguageState{};
        designer = std::make_unique<Designer>(*dialogs, lingua);
        if (centred)
            designer->menu.centreOnScreen();
        QVERIFY(designer->started());
        dialogs->takeRequests(); // the splash
    }
    void finish() {
        designer.reset();
        dialogs->verifySettled();
        dialogs.reset();
    }
};

} // namespace vaptest
