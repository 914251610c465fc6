#include "core/files/designfile.h"

#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/support/controls.h"
#include "core/support/designstate.h"
#include "core/support/errorof.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace {

using vap::ControlKind;
using vap::Design;
using vaptest::errorOf;
using vaptest::namesOf;
using vaptest::stateOf;

std::string lines(std::initializer_list<std::string_view> items, std::string_view end = "\r\n") {
    std::string text;
    for (std::string_view item : items) {
        text += item;
        text += end;
    }
    return text;
}

const std::string workedExample = lines({
    "JAN:230:189:230:336:0", "Cadastro", "Teste", "",         //
    "LAB:10:50:17:65:0", "Nome:", "JLabel1", "",              //
    "TXF:80:48:21:121:1", "", "JTextField1", "Digite o nome", //
    "BUT:80:80:25:75:4", "OK", "JButton1", "",                //
});

void buildWorkedExample(Design& design) {
    design.setWindowLeft(230);
    design.setWindowTop(189);
    design.setWindowWidth(336);
    design.setWindowHeight(230);
    design.setCaption("Cadastro");
    design.setJavaClassName("Teste");
    vaptest::addControl(design, ControlKind::Label, {"Nome:", "", 10, 50, 65, 17, 0});
    vaptest::addControl(design, ControlKind::TextField, {"", "Digite o nome", 80, 48, 121, 21, 1});
    vaptest::addControl(design, ControlKind::Button, {"OK", "", 80, 80, 75, 25, 4});
}

/** Opens the bytes as a design file, as the Open command does. */
void openBytes(Design& design, std::string_view bytes) {
    vaptest::TempDir dir;
    std::string path = dir.file("design.vap");
    vaptest::writeBytes(path, bytes);
    vap::openDesign(design, path);
}

TEST(DesignFileWrite, WorkedExampleByteForByte) {
    Design design;
    buildWorkedExample(design);
    EXPECT_EQ(vap::serializeDesign(design), workedExample);

    vaptest::TempDir dir;
    vap::GravaJanela(design, dir.file("cadastro.vap"));
    EXPECT_EQ(vaptest::readBytes(dir.file("cadastro.vap")), workedExample);
}

TEST(DesignFileRead, WorkedExampleRebuildsTheDesign) {
    Design expected;
    buildWorkedExample(expected);

    Design design;
    design.setCaption("Old");
    vap::CriaJList(design, true);
    vap::CriaJList(design, true);
    openBytes(design, workedExample);

    // Equal states include the text field's saved empty caption, which the name must not replace.
    EXPECT_EQ(stateOf(design), stateOf(expected));
}

TEST(DesignFileWrite, EmptyDesignIsFourLines) {
    Design design;
    EXPECT_EQ(vap::serializeDesign(design),
              lines({"JAN:230:189:230:336:0", vap::DesignWindow::formCaption, "", ""}));
}

struct RecordLineCase {
    const char* line;
    const char* tag;
    std::int32_t left, top, height, width, events;
};

class RecordLine : public testing::TestWithParam<RecordLineCase> {};

// Each case follows a full record, so a value the line does not supply must not leak from it.
TEST_P(RecordLine, TakesTheLineApartFromFreshValues) {
    const RecordLineCase& c = GetParam();
    vap::Design design;
    vap::applyDesignFile(
        design, vap::parseDesignFile(
                    lines({"BUT:11:12:13:14:15", "caption", "name", "hint", c.line, "", "n", ""})));
    const std::string_view tag = c.tag;
    if (tag == "JAN") {
        const vap::DesignWindow& window = design.window();
        EXPECT_EQ(std::vector<std::int32_t>({window.left, window.top, window.height, window.width}),
                  std::vector<std::int32_t>({c.left, c.top, c.height, c.width}));
        EXPECT_EQ(window.caption + window.JavaClassName, "n");
        return;
    }
    if (tag != "LAB" && tag != "CBX" && tag != "TXF") {
        EXPECT_EQ(design.controls().size(), 1u); // read and skipped
        return;
    }
    ASSERT_EQ(design.controls().size(), 2u);
    const vap::Control& control = *design.controls()[1];
    EXPECT_EQ(control.kind(), tag == "LAB"   ? vap::ControlKind::Label
                              : tag == "CBX" ? vap::ControlKind::ComboBox
                                             : vap::ControlKind::TextField);
    EXPECT_EQ(std::vector<std::int32_t>({control.left(), control.top(), control.height(),
                                         control.width(), control.tag()}),
              std::vector<std::int32_t>({c.left, c.top, c.height, c.width, c.events}));
    EXPECT_EQ(control.caption() + control.name() + control.hint(), "n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecordLine,
    testing::Values(RecordLineCase{"LAB:10::17:65:0", "LAB", 10, 0, 17, 65, 0},
                    RecordLineCase{"LAB:10:50:17:65:", "LAB", 10, 50, 17, 65, 0},
                    RecordLineCase{"LAB:1:2:3:4:9:8:7", "LAB", 1, 2, 3, 4, 7},
                    RecordLineCase{"LAB:1:2:3:4:not a number:5", "LAB", 1, 2, 3, 4, 5},
                    RecordLineCase{"LAB:7", "LAB", 0, 0, 0, 0, 7},
                    RecordLineCase{"LAB:1:2", "LAB", 1, 0, 0, 0, 2},
                    RecordLineCase{"42", "", 0, 0, 0, 0, 42}, RecordLineCase{"", "", 0, 0, 0, 0, 0},
                    RecordLineCase{"CBX: -5:+6:  7:-0:+31", "CBX", -5, 6, 7, 0, 31},
                    RecordLineCase{"JAN:-2147483648:2147483647:0:0:-2147483648", "JAN", INT32_MIN,
                                   INT32_MAX, 0, 0, INT32_MIN},
                    RecordLineCase{"TXF:007:-007:0:0:00", "TXF", 7, -7, 0, 0, 0}));

class LineEnds : public testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(LineEnds, ReadTheSameDesign) {
    Design expected;
    openBytes(expected, workedExample);
    Design design;
    openBytes(design, GetParam().second);
    EXPECT_EQ(stateOf(design), stateOf(expected));
}

/** The worked example with its line ends taken in turn from `ends`. */
std::string withLineEnds(std::initializer_list<std::string_view> ends) {
    std::string text;
    std::size_t start = 0;
    for (std::size_t i = 0;; ++i) {
        std::size_t end = workedExample.find("\r\n", start);
        if (end == std::string::npos)
            return text;
        text += workedExample.substr(start, end - start);
        text += ends.begin()[i % ends.size()];
        start = end + 2;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineEnds,
    testing::Values(
        std::pair("LF", withLineEnds({"\n"})), std::pair("CR", withLineEnds({"\r"})),
        // A lone CR is never followed by an empty line ended by LF: that would read as one CR LF.
        std::pair("Mixed", withLineEnds({"\r", "\r\n", "\n"})),
        std::pair("NoFinalLineEnd", workedExample.substr(0, workedExample.size() - 2)),
        std::pair("CtrlZEndsTheFile", workedExample + "\x1A" + "XYZ:bad\r\n"),
        std::pair("CtrlZAtTheEnd", workedExample + "\x1A"),
        std::pair("TrailingBlankLine", workedExample + "\r\n")),
    [](const auto& info) { return std::string(info.param.first); });

TEST(DesignFileRead, RecordCutShortByTheEndGetsEmptyTexts) {
    Design design;
    openBytes(design, workedExample + "LIS:5:6:7:8:2\r\nOnly a caption\r\nlist");
    ASSERT_EQ(design.controls().size(), 4u);
    vaptest::ControlState expected{
        ControlKind::List, "list", "Only a caption", "", true, 5, 6, 8, 7, 2};
    EXPECT_EQ(stateOf(design).controls.back(), expected);
    EXPECT_EQ(design.kindCounter(ControlKind::List), 1);
}

TEST(DesignFileRead, RecordsWithUnknownTagsAreSkipped) {
    Design design;
    design.setCaption("Kept");
    vap::DesignWindow window = design.window();
    openBytes(design, lines({
                          "lab:1:2:3:4:0",  "a", "not valid!", "",  //
                          "LAB :1:2:3:4:0", "b", "JLabel1",    "",  //
                          " LAB:1:2:3:4:0", "c", "opc2",       "",  //
                          "jan:1:2:3:4:0",  "d", "Janela",     "",  //
                          "XYZ:1:2:3:4:0",  "e", "realLabel",  "",  //
                          "LAB:1:2:3:4:0",  "f", "realLabel",  "h", //
                      }));
    EXPECT_EQ(design.window(), window);
    EXPECT_EQ(namesOf(design), std::vector<std::string>{"realLabel"});
    EXPECT_EQ(design.objectList().names(), std::vector<std::string>{"realLabel"});
    EXPECT_EQ(design.kindCounter(ControlKind::Label), 1);
}

TEST(DesignFileRead, EveryWindowRecordAppliesInTurn) {
    Design design;
    design.setResizable(true);
    design.setModal(true);
    vap::CriaJButton(design, true);
    openBytes(design, lines({
                          "LAB:1:2:3:4:0", "x", "first", "",                        //
                          "JAN:1:2:3:4:99", "First", "C1", "x",                     //
                          "JAN:-10:-20:300:400:7", "Second", "9 not ident", "junk", //
                      }));
    vap::DesignWindow expected{"Second", -10, -20, 400, 300, true, true, "9 not ident"};
    EXPECT_EQ(design.window(), expected);
    EXPECT_EQ(namesOf(design), std::vector<std::string>{"first"});
}

TEST(DesignFileRead, FileWithoutWindowRecordLeavesTheWindowAndEmptyFileLoadsNothing) {
    Design design;
    design.setCaption("Before");
    design.setWindowLeft(5);
    design.setJavaClassName("Keep");
    vap::CriaJLabel(design, true);
    vap::CriaJButton(design, true);
    vap::DesignWindow window = design.window();

    openBytes(design, lines({"LAB:1:2:3:4:0", "x", "only", ""}));
    EXPECT_EQ(design.window(), window);
    EXPECT_EQ(namesOf(design), std::vector<std::string>{"only"});

    openBytes(design, "");
    vaptest::DesignState empty{window, {}, {}, {}};
    EXPECT_EQ(stateOf(design), empty);
}

TEST(DesignFileRead, LoadedNamesDoNotStopDefaultNamesButCountersAdvance) {
    Design design;
    openBytes(design,
              lines({"LAB:1:2:3:4:0", "a", "JLabel2", "", "LAB:1:2:3:4:0", "b", "JLabel3", ""}));
    EXPECT_EQ(namesOf(design), (std::vector<std::string>{"JLabel2", "JLabel3"}));
    EXPECT_EQ(design.kindCounter(ControlKind::Label), 2);

    EXPECT_EQ(errorOf([&] { vap::CriaJLabel(design, true); }),
              "A component named JLabel3 already exists");
    EXPECT_EQ(design.kindCounter(ControlKind::Label), 3);
    EXPECT_EQ(vap::CriaJLabel(design, true).name(), "JLabel4");
}

TEST(DesignFileRead, OpenReplacesTheDesignAndListsNamesSorted) {
    Design design;
    vap::CriaJLabel(design, true);
    vap::CriaJButton(design, true);
    vap::CriaJList(design, true);
    // JLabel1 is free again: the open clears the design before naming anything.
    openBytes(design,
              lines({"LAB:1:2:3:4:0", "", "zeta",  "", "BUT:1:2:3:4:0", "", "JLabel1", "",
                     "LIS:1:2:3:4:0", "", "b2",    "", "CBX:1:2:3:4:0", "", "Beta",    "",
                     "TXF:1:2:3:4:0", "", "alpha", "", "PWD:1:2:3:4:0", "", "pw",      ""}));
    EXPECT_EQ(namesOf(design),
              (std::vector<std::string>{"zeta", "JLabel1", "b2", "Beta", "alpha", "pw"}));
    EXPECT_EQ(design.objectList().names(),
              (std::vector<std::string>{"alpha", "b2", "Beta", "JLabel1", "pw", "zeta"}));
    for (ControlKind kind : vap::allControlKinds)
        EXPECT_EQ(design.kindCounter(kind), 1) << vap::kindInfo(kind).javaClass;
    EXPECT_TRUE(design.controls()[4]->eTextField());
    EXPECT_FALSE(design.controls()[5]->eTextField());
    EXPECT_EQ(design.controls()[5]->kind(), ControlKind::PasswordField);
}

TEST(DesignFileRead, CarregaJanelaAddsToTheDesignAllOrNothing) {
    Design design;
    vap::CriaJLabel(design, true);
    vaptest::TempDir dir;
    std::string path = dir.file("more.vap");
    vaptest::writeBytes(
        path, lines({"JAN:1:2:3:4:0", "Added", "", "", "LAB:5:6:7:8:0", "x", "Other", ""}));
    vap::CarregaJanela(design, path);
    EXPECT_EQ(namesOf(design), (std::vector<std::string>{"JLabel1", "Other"}));
    EXPECT_EQ(design.objectList().names(), (std::vector<std::string>{"JLabel1", "Other"}));
    EXPECT_EQ(design.kindCounter(ControlKind::Label), 2);
    EXPECT_EQ(design.window().caption, "Added");

    // A name already held by a control of the design: nothing of the file is applied.
    auto before = stateOf(design);
    vaptest::writeBytes(path, lines({"JAN:9:9:9:9:0", "Changed", "", "", "BUT:5:6:7:8:0", "x",
                                     "fresh", "", "LAB:5:6:7:8:0", "x", "jlabel1", ""}));
    EXPECT_EQ(errorOf([&] { vap::CarregaJanela(design, path); }),
              "A component named jlabel1 already exists");
    EXPECT_EQ(stateOf(design), before);
}

} // namespace

// Names met twice are found once the names are sorted; the fault reported is still the first one
// in the file.
TEST(DesignFileRead, TheFirstFaultInTheFileIsTheOneReported) {
    auto record = [](const char* tag, const char* name) {
        return std::string(tag) + ":1:2:3:4:0\r\n\r\n" + name + "\r\n\r\n";
    };
    auto file = [](std::initializer_list<std::string> records) {
        std::string all;
        for (const std::string& one : records)
            all += one;
        return all;
    };
    const struct {
        std::string bytes;
        std::string message;
    } cases[]{
        {file({record("LAB", "b"), record("LAB", "a"), record("LAB", "A"), record("LAB", "B")}),
         "A component named A already exists"},
        {file({record("LAB", "a"), record("LAB", "A"), record("LAB", "1abc")}),
         "A component named A already exists"},
        {file({record("LAB", "a"), record("LAB", "1abc"), record("LAB", "A")}),
         "''1abc'' is not a valid component name"},
        {file({record("LAB", "a"), record("LAB", "A"), record("LAB:x", "c")}),
         "A component named A already exists"},
        {file({record("LAB", "a"), record("LAB", "opc2"), record("LAB", "A")}),
         "A component named opc2 already exists"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(errorOf([&] { vap::parseDesignFile(c.bytes); }), c.message);
    }
}
