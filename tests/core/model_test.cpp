#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/model/eventmask.h"
#include "core/model/naming.h"
#include "core/model/valorinteiro.h"
#include "core/support/designstate.h"
#include "core/support/errorof.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using namespace vap;
using ::testing::ElementsAre;
using vaptest::errorOf;

namespace {

struct Recorder : DesignObserver {
    std::vector<std::string> seen;
    void controlAdded(const Control& c) override { seen.push_back("added " + c.name()); }
    void controlChanged(const Control& c, ControlField field) override {
        seen.push_back("changed " + c.name() + " " + std::to_string(static_cast<int>(field)));
    }
    void controlRemoved(const Control& c) override { seen.push_back("removed " + c.name()); }
    void windowChanged(WindowField field) override {
        seen.push_back("window " + std::to_string(static_cast<int>(field)));
    }
    void designCleared() override { seen.push_back("cleared"); }
    void objectListChanged() override { seen.push_back("list"); }
};

} // namespace

TEST(EventMask, DecodesGreedilyFromTheHeaviestWeight) {
    struct Case {
        std::int32_t mask;
        std::array<bool, 5> chosen; // key, mouse, action, gained, lost
    };
    for (const Case& c : std::vector<Case>{
             {0, {false, false, false, false, false}},
             {5, {true, false, true, false, false}},
             {21, {true, false, true, false, true}},
             {31, {true, true, true, true, true}},
             {32, {true, true, true, true, true}},
             {48, {true, true, true, true, true}},
             {INT_MAX, {true, true, true, true, true}},
             {-1, {false, false, false, false, false}},
             {INT_MIN, {false, false, false, false, false}},
         }) {
        EXPECT_EQ(decodeEventMask(c.mask).chosen, c.chosen) << "mask " << c.mask;
    }
    EXPECT_EQ(encodeEventMask(decodeEventMask(48)), 31);
    EXPECT_EQ(encodeEventMask(decodeEventMask(13)), 13);
}

TEST(Creation, GivesDefaultNamesPlacesAndSizes) {
    Design design;
    Control& label = CriaJLabel(design, true);
    EXPECT_EQ(label.name(), "JLabel1");
    EXPECT_EQ(label.caption(), "JLabel1");
    EXPECT_EQ(label.left(), 1);
    EXPECT_EQ(label.top(), 40);
    EXPECT_EQ(label.width(), 57);
    EXPECT_EQ(label.height(), 13);
    EXPECT_TRUE(label.showHint());
    EXPECT_EQ(label.tag(), 0);

    Control& text1 = CriaJTextField(design, true);
    Control& text2 = CriaJTextField(design, true);
    Control& password = CriaJPasswordField(design, true);
    EXPECT_EQ(text2.name(), "JTextField2");
    EXPECT_EQ(password.name(), "JPasswordField1");
    EXPECT_TRUE(text1.eTextField());
    EXPECT_FALSE(password.eTextField());
    EXPECT_EQ(CriaJComboBox(design, true).name(), "jComboBox1");

    struct Size {
        ControlKind kind;
        int width, height;
    };
    for (Size s :
         {Size{ControlKind::Button, 100, 30}, Size{ControlKind::List, 130, 160},
          Size{ControlKind::ComboBox, 130, 21}, Size{ControlKind::PasswordField, 100, 21}}) {
        Control& made = createOfKind(design, s.kind, true);
        EXPECT_EQ(made.width(), s.width);
        EXPECT_EQ(made.height(), s.height);
    }
}

TEST(Creation, CountersSurviveDeletionAndResetOnClear) {
    Design design;
    CriaJButton(design, true);
    Control& second = CriaJButton(design, true);
    CriaJButton(design, true);
    design.deleteControl(second);
    EXPECT_EQ(CriaJButton(design, true).name(), "JButton4");

    design.setCaption("Cadastro");
    design.setJavaClassName("Cadastro");
    design.setResizable(true);
    design.clear();
    EXPECT_TRUE(design.controls().empty());
    EXPECT_TRUE(design.objectList().names().empty());
    EXPECT_EQ(CriaJLabel(design, true).name(), "JLabel1");
    EXPECT_EQ(design.window().caption, "Cadastro");
    EXPECT_EQ(design.window().JavaClassName, "Cadastro");
    EXPECT_TRUE(design.window().resizable);
}

TEST(Creation, RefusedDefaultNameDiscardsTheControlAndAdvancesTheCounter) {
    Design design;
    Recorder recorder;
    Control& label = CriaJLabel(design, true);
    design.rename(label, "JLabel2");
    design.addObserver(&recorder);
    EXPECT_EQ(errorOf([&] { CriaJLabel(design, true); }),
              "A component named JLabel2 already exists");
    EXPECT_EQ(design.kindCounter(ControlKind::Label), 2);
    EXPECT_EQ(design.controls().size(), 1u);
    EXPECT_THAT(design.objectList().names(), ElementsAre("JLabel2"));
    EXPECT_TRUE(recorder.seen.empty());
    EXPECT_EQ(CriaJLabel(design, true).name(), "JLabel3");
}

TEST(Creation, WithoutListingLeavesTheControlUnnamedAndUnlisted) {
    Design design;
    Control& button = CriaJButton(design, false);
    EXPECT_EQ(button.name(), "");
    EXPECT_EQ(button.caption(), "");
    EXPECT_EQ(design.kindCounter(ControlKind::Button), 1);
    EXPECT_TRUE(design.objectList().names().empty());
    design.rename(button, "okButton");
    EXPECT_EQ(button.caption(), "okButton");
    EXPECT_TRUE(design.objectList().names().empty());
}

TEST(Naming, CaptionFollowsTheNameUntilItDiffers) {
    Design design;
    Control& button = CriaJButton(design, true);
    design.rename(button, "okButton");
    EXPECT_EQ(button.caption(), "okButton");
    design.setCaption(button, "OK");
    design.rename(button, "confirm");
    EXPECT_EQ(button.caption(), "OK");
    EXPECT_EQ(design.findControl("CONFIRM"), &button);
    EXPECT_EQ(design.findControl("okButton"), nullptr);
    EXPECT_EQ(design.findControl(""), nullptr);
}

TEST(Naming, RefusesInvalidAndTakenNamesAndKeepsTheOldOne) {
    Design design;
    Control& list = CriaJList(design, true);
    CriaJLabel(design, true);
    struct Case {
        std::string name, message;
    };
    for (const Case& c : std::vector<Case>{
             {"1list", "''1list'' is not a valid component name"},
             {"my list", "''my list'' is not a valid component name"},
             {"lista\xC3\xA7", "''lista\xC3\xA7'' is not a valid component name"},
             {"opc2", "A component named opc2 already exists"},
             {"XJUSTONE1", "A component named XJUSTONE1 already exists"},
             {"jlabel1", "A component named jlabel1 already exists"},
         }) {
        EXPECT_EQ(errorOf([&] { design.rename(list, c.name); }), c.message);
        EXPECT_EQ(list.name(), "JList1");
        EXPECT_EQ(list.caption(), "JList1");
    }
    design.rename(list, "jlist1");
    EXPECT_EQ(list.name(), "jlist1");
    design.rename(list, "_x9");
    EXPECT_EQ(list.name(), "_x9");
}

TEST(ObjectList, KeepsThePlatformOrderWithCaseIgnored) {
    Design design;
    CriaJLabel(design, true);
    CriaJButton(design, true);
    CriaJComboBox(design, true);
    EXPECT_THAT(design.objectList().names(), ElementsAre("JButton1", "jComboBox1", "JLabel1"));

    Design named;
    for (const char* name : {"ab", "a_", "a0", "A1", "a", "JLabel2", "JLabel10", "_z"})
        named.rename(CriaJLabel(named, true), name);
    EXPECT_THAT(named.objectList().names(),
                ElementsAre("_z", "a", "a_", "a0", "A1", "ab", "JLabel10", "JLabel2"));
    EXPECT_EQ(named.objectList().indexOf("jlabel2"), 7u);
    EXPECT_FALSE(named.objectList().indexOf("nothing"));
}

TEST(ObjectList, ListsManyNamesAtOnceInTheOrderOfOneByOne) {
    // Long shared prefixes, case, '_' and digits around the 8th and 16th bytes.
    const char* const starts[] = {"q", "Q_", "qLongSharedPrefix", "qLongSharedPrefiX_", "q0"};
    const std::string letters = "aAzZ_09";
    std::uint32_t state = 7;
    auto next = [&state](std::uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    };
    DesignContents contents;
    std::vector<std::string> names;
    while (names.size() < 3000) {
        std::string name = starts[next(5)];
        for (std::uint32_t length = next(14); length > 0; --length)
            name += letters[next(7)];
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& n) { return equalIgnoringCase(n, name); })) {
            names.push_back(name);
            contents.controls.emplace_back().name = name;
        }
    }
    Design design;
    design.replaceContents(contents);
    std::sort(names.begin(), names.end(), listedNameLess);
    EXPECT_EQ(design.objectList().names(), names);
}

TEST(ObjectList, FollowsRenamesAndDeletions) {
    Design design;
    Control& label = CriaJLabel(design, true);
    Control& button = CriaJButton(design, true);
    CriaJTextField(design, true);
    design.rename(label, "aLabel");
    EXPECT_THAT(design.objectList().names(), ElementsAre("aLabel", "JButton1", "JTextField1"));
    design.deleteControl(button);
    EXPECT_THAT(design.objectList().names(), ElementsAre("aLabel", "JTextField1"));
    EXPECT_THAT(vaptest::namesOf(design), ElementsAre("aLabel", "JTextField1"));
}

TEST(Observers, AreToldOfEveryChange) {
    Design design;
    Recorder recorder;
    design.addObserver(&recorder);
    Control& label = CriaJLabel(design, true);
    design.rename(label, "nome");
    design.setLeft(label, -5);
    design.setModal(true);
    design.deleteControl(label);
    CriaJList(design, true);
    design.clear();
    design.removeObserver(&recorder);
    design.setCaption("unseen");
    EXPECT_THAT(recorder.seen,
                ElementsAre("added JLabel1", "list", "changed nome 0", "changed nome 1", "list",
                            "changed nome 4", "window 6", "removed nome", "list", "added JList1",
                            "list", "list", "cleared"));
}

TEST(Observers, HearOnlyRealChangesAndMaySafelyComeAndGo) {
    Design design;
    Control& label = CriaJLabel(design, true);

    // Setting what a field already holds tells nobody.
    Recorder quiet;
    design.addObserver(&quiet);
    design.setLeft(label, label.left());
    design.setCaption(label, label.caption());
    design.setModal(false);
    design.rename(label, "JLabel1");
    EXPECT_TRUE(quiet.seen.empty());
    design.removeObserver(&quiet);

    // One observer removing itself (and another) while told: the rest hear exactly once.
    struct Leaver : DesignObserver {
        Design* design = nullptr;
        DesignObserver* alsoRemove = nullptr;
        int calls = 0;
        void windowChanged(WindowField) override {
            ++calls;
            design->removeObserver(this);
            if (alsoRemove)
                design->removeObserver(alsoRemove);
        }
    };
    Recorder first, last, removed;
    Leaver leaver;
    leaver.design = &design;
    leaver.alsoRemove = &removed;
    for (DesignObserver* observer :
         std::initializer_list<DesignObserver*>{&first, &leaver, &removed, &last})
        design.addObserver(observer);
    design.setModal(true);
    EXPECT_THAT(first.seen, ElementsAre("window 6"));
    EXPECT_THAT(last.seen, ElementsAre("window 6"));
    EXPECT_TRUE(removed.seen.empty());
    EXPECT_EQ(leaver.calls, 1);

    // A rename is heard with the list already holding the new name; clearing is heard while the
    // controls can still be read.
    struct Reader : DesignObserver {
        const Design* design = nullptr;
        std::vector<std::string> seen;
        void controlChanged(const Control& c, ControlField field) override {
            if (field == ControlField::Name)
                seen.push_back(design->objectList().indexOf(c.name()) ? "listed" : "missing");
        }
        void designCleared() override {
            for (const auto& control : design->controls())
                seen.push_back("cleared " + control->name());
        }
    } reader;
    reader.design = &design;
    design.addObserver(&reader);
    design.rename(label, "nome");
    design.clear();
    EXPECT_THAT(reader.seen, ElementsAre("listed", "cleared nome"));
}

TEST(Design, RefusesControlsItDoesNotHold) {
    Design design, other;
    Control& foreign = CriaJLabel(other, true);
    EXPECT_EQ(errorOf([&] { design.setLeft(foreign, 5); }),
              "The control is no longer part of the design");
    EXPECT_EQ(errorOf([&] { design.rename(foreign, "x"); }),
              "The control is no longer part of the design");
    EXPECT_EQ(foreign.left(), 1);
    EXPECT_FALSE(design.contains(&foreign));
    EXPECT_TRUE(other.contains(&foreign));
    other.deleteControl(foreign);
    EXPECT_FALSE(other.contains(&foreign));
}

TEST(Design, KeepsItsGuaranteesWhateverAnObserverDoes) {
    // Each row: what an observer does when told of a removal, then what is used afterwards.
    struct Case {
        const char* what;
        bool createOnRemoval;
        std::vector<std::string> namesAfter;
    };
    for (const Case& c :
         {Case{"creates a control", true, {"JLabel1", "JLabel3", "JLabel4", "JLabel5"}},
          Case{"does nothing", false, {"JLabel1", "JLabel3", "JLabel4"}}}) {
        SCOPED_TRACE(c.what);
        Design design;
        for (int i = 0; i < 4; ++i) // the storage full, so that one more moves it
            CriaJLabel(design, true);
        struct Maker : DesignObserver {
            Design* design = nullptr;
            bool create = false;
            void controlRemoved(const Control&) override {
                if (std::exchange(create, false))
                    CriaJLabel(*design, true);
            }
        } maker;
        maker.design = &design;
        maker.create = c.createOnRemoval;
        design.addObserver(&maker);
        const Control& gone = *design.controls()[1];
        design.deleteControl(gone);
        std::vector<std::string> names;
        for (const auto& control : design.controls())
            names.push_back(control->name());
        EXPECT_EQ(names, c.namesAfter);
        EXPECT_EQ(errorOf([&] { design.setCaption(gone, "x"); }),
                  "The control is no longer part of the design");
        EXPECT_EQ(errorOf([&] { design.rename(gone, "x"); }),
                  "The control is no longer part of the design");
        design.removeObserver(&maker);
    }
}

TEST(ValorInteiro, ReadsNumberCellsAndTurnsAnythingElseIntoZero) {
    struct Case {
        const char* text;
        std::int32_t value;
    };
    for (const Case& c : std::vector<Case>{{"", 0},           {"   ", 0},
                                           {"150", 150},      {"  42", 42},
                                           {"42 ", 0},        {"4 2", 0},
                                           {"abc", 0},        {"12a", 0},
                                           {"-5", -5},        {"+7", 7},
                                           {"-", 0},          {"$1F", 31},
                                           {"0x1f", 31},      {"X10", 16},
                                           {"-$10", -16},     {"$", 0},
                                           {"1.5", 0},        {"2147483647", INT_MAX},
                                           {"2147483648", 0}, {"-2147483648", INT_MIN},
                                           {"$80000000", 0}}) {
        EXPECT_EQ(ValorInteiro(c.text), c.value) << '"' << c.text << '"';
    }
}
