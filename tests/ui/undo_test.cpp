// The history of the design: random steps, then all undone and all redone.

#include "core/files/designfile.h"
#include "core/model/error.h"
#include "ui/applanguage.h"
#include "ui/designdocument.h"

#include <QAction>
#include <QTest>

#include <random>

using vap::ControlField;
using vap::WindowField;

namespace {

struct State {
    std::string bytes;
    vap::KindCounters counters;
    bool operator==(const State&) const = default;
};

State stateOf(const vap::Design& design) {
    return {vap::serializeDesign(design), design.kindCounters()};
}

} // namespace

class UndoHistory : public QObject {
    Q_OBJECT

private slots:
    void undoAllGivesTheFirstDesignRedoAllTheLast() {
        const std::vector<std::string> names{"nome", "Nome",   "ok",   "JLabel1", "jComboBox2",
                                             "x_1",  "F_Menu", "1bad", "class",   ""};
        const std::vector<std::string> texts{"", "Olá", "a \"b\"", "JLabel2", "Ação 1"};
        for (unsigned seed = 1; seed <= 60; ++seed) {
            std::mt19937 random(seed);
            auto below = [&](std::size_t n) {
                return static_cast<std::size_t>(random() % static_cast<unsigned>(n));
            };
            vap::ui::DesignDocument document;
            vap::Design& design = document.design();
            std::vector<std::string> files; // designs seen, for Open
            for (std::size_t i = below(4); i > 0; --i)
                document.createControl(vap::allControlKinds[below(6)]);
            document.history().clear();
            const State first = stateOf(design);
            // A refused default name advances its counter without a step, as a failed creation
            // always has; the counters are compared only in runs without one.
            bool refusedCreation = false;
            bool countersOutside = false;
            files.push_back(first.bytes);
            for (int step = 0; step < 80; ++step) {
                const auto& controls = design.controls();
                const vap::Control* some =
                    controls.empty() ? nullptr : controls[below(controls.size())].get();
                std::int32_t number = static_cast<std::int32_t>(below(200)) - 20;
                try {
                    // A few controls of the design, in any order, some maybe twice.
                    std::vector<const vap::Control*> picked;
                    for (std::size_t n = below(4); some && n > 0; --n)
                        picked.push_back(controls[below(controls.size())].get());
                    switch (below(16)) {
                    case 0:
                    case 1:
                        refusedCreation = true;
                        document.createControl(vap::allControlKinds[below(6)]);
                        refusedCreation = false;
                        break;
                    case 2:
                        if (some)
                            document.deleteControl(*some);
                        break;
                    case 3:
                        if (some)
                            document.moveControl(*some, number, number / 2);
                        break;
                    case 4:
                    case 5: {
                        // A few keystrokes of one cell edit merge into one step.
                        static const ControlField fields[] = {
                            ControlField::Left, ControlField::Width, ControlField::Caption,
                            ControlField::Hint, ControlField::Tag};
                        ControlField field = fields[below(5)];
                        int editKey = static_cast<int>(below(3));
                        for (std::size_t keys = 1 + below(3); some && keys > 0; --keys) {
                            vap::ui::FieldValue value = number + static_cast<std::int32_t>(keys);
                            if (field == ControlField::Caption || field == ControlField::Hint)
                                value = texts[below(texts.size())];
                            if (field == ControlField::Tag)
                                value = static_cast<std::int32_t>(below(32));
                            document.setControlValue(*some, field, value, editKey);
                        }
                        break;
                    }
                    case 6:
                        if (some)
                            document.rename(*some, names[below(names.size())]);
                        break;
                    case 7:
                        document.setWindowValue(WindowField::Caption, texts[below(texts.size())]);
                        document.setWindowValue(WindowField::Resizable, below(2) == 0);
                        break;
                    case 8:
                        document.setWindowValue(WindowField::JavaClassName, "Janela" + texts[0]);
                        document.setWindowValue(WindowField::Modal, below(2) == 0);
                        break;
                    case 9:
                        document.setWindowBounds(
                            {{WindowField::Left, number}, {WindowField::Height, number + 100}});
                        break;
                    case 10:
                        document.clear();
                        break;
                    case 11:
                        document.open(vap::parseDesignFile(files[below(files.size())]));
                        break;
                    case 13: {
                        std::vector<std::pair<const vap::Control*, vap::Bounds>> bounds;
                        for (const vap::Control* c : picked) {
                            vap::Bounds b = boundsOf(*c);
                            bounds.emplace_back(c, vap::nudged({&b, 1}, number, 1)[0]);
                        }
                        document.setControlsBounds(bounds, vap::Step::MoveControls, below(2) == 0);
                        if (!picked.empty())
                            document.arrangeControls(picked,
                                                     static_cast<vap::Arrangement>(below(10)));
                        break;
                    }
                    case 14:
                        document.deleteControls(picked, below(2) ? vap::Step::DeleteControls
                                                                 : vap::Step::Cut);
                        break;
                    case 15: {
                        std::vector<vap::ControlData> copied;
                        for (const vap::Control* c : picked)
                            copied.push_back(c->data());
                        refusedCreation = true; // a default name taken raises its counter
                        auto made = document.pasteControls(copied, {number, number});
                        refusedCreation = false;
                        QCOMPARE(made.size(), copied.size());
                        break;
                    }
                    default:
                        // Some steps undone and redone on the way; a new step drops the redo.
                        for (std::size_t n = below(3); n > 0; --n)
                            document.history().undo();
                        if (below(2) == 0)
                            document.history().redo();
                        break;
                    }
                } catch (const vap::Error&) {
                    // A refused name: nothing else changed and no step was made.
                    countersOutside = countersOutside || refusedCreation;
                    refusedCreation = false;
                }
                files.push_back(vap::serializeDesign(design));
            }
            // A last change drops what the steps above left to redo.
            document.setWindowValue(WindowField::Modal, !design.window().modal);
            const State last = stateOf(design);
            while (document.history().canUndo())
                document.history().undo();
            QCOMPARE(vap::serializeDesign(design), first.bytes);
            QVERIFY(countersOutside || design.kindCounters() == first.counters);
            while (document.history().canRedo())
                document.history().redo();
            QCOMPARE(vap::serializeDesign(design), last.bytes);
            QVERIFY(countersOutside || design.kindCounters() == last.counters);
        }
    }

    void stepsAreNamedInTheInterfaceLanguage() {
        vap::ui::DesignDocument document;
        document.createControl(vap::ControlKind::Label);
        document.createControl(vap::ControlKind::Button);
        document.history().undo();
        auto* undo = document.findChild<QAction*>(QStringLiteral("undoStep"));
        auto* redo = document.findChild<QAction*>(QStringLiteral("redoStep"));
        const QStringList expected{"Desfazer criar objeto|Refazer criar objeto",
                                   "Undo create object|Redo create object",
                                   "Deshacer crear objeto|Rehacer crear objeto"};
        for (int lingua = 1; lingua <= 3; ++lingua) {
            vap::ui::setLingua(vap::LanguageCode(lingua));
            document.retranslate();
            QCOMPARE(undo->text() + '|' + redo->toolTip(), expected[lingua - 1]);
        }
    }
};

QTEST_MAIN(UndoHistory)
#include "undo_test.moc"
