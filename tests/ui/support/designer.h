#pragma once

#include "parts.h"
#include "scripteddialogs.h"

#include "core/model/design.h"
#include "ui/applanguage.h"
#include "ui/designdocument.h"
#include "ui/factamanho.h"
#include "ui/fcriaobjeto.h"
#include "ui/fmenu.h"
#include "ui/tjcomponent.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QStringList>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace vaptest {

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
        menu.openControlMenu(widget(name), QPoint(10, 10));
        entry(entryName)->trigger();
        part<QMenu>(menu, "popObj")->hide();
    }

    /** The widget showing the control of that name, or nullptr. */
    vap::ui::TJComponent* widget(const QString& name) const {
        return menu.findChild<vap::ui::TJComponent*>(name);
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
    int widgetCount() const {
        return static_cast<int>(menu.findChildren<vap::ui::TJComponent*>().size());
    }

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
