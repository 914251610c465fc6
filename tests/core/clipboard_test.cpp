// Controls as clipboard records, and pasting them under fresh default names.

#include "core/files/designfile.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/support/errorof.h"

#include <gtest/gtest.h>

using namespace vap;
using vaptest::errorOf;

TEST(ClipboardRecords, EveryKindComesBackAsItWasAndBadTextIsRefused) {
    std::vector<ControlData> controls;
    const std::vector<std::string> texts{"", "Ação € ÿ", "a:b:c", "\"quoted\" \\n \\", "JLabel1"};
    for (std::size_t i = 0; i < allControlKinds.size(); ++i)
        controls.push_back({allControlKinds[i], "c" + std::to_string(i), texts[i % texts.size()],
                            texts[(i + 1) % texts.size()], true, -2147483647 - 1, 2147483647,
                            static_cast<std::int32_t>(i) - 3, 40,
                            static_cast<std::int32_t>(i * 7)});
    std::string records = controlRecords(controls);
    EXPECT_EQ(readControlRecords(records), controls);
    // Byte for byte what a save writes after the window record.
    Design design;
    for (const ControlData& data : controls)
        design.insertControl(design.controls().size(), data);
    std::string saved = serializeDesign(design);
    EXPECT_EQ(saved.substr(saved.size() - records.size()), records);
    EXPECT_EQ(records.substr(0, 30), "LAB:-2147483648:2147483647:40:");

    struct Bad {
        std::string text;
        std::string message;
    };
    for (const Bad& bad : std::vector<Bad>{
             {"", "The text holds no controls"},
             {"JAN:1:2:3:4:0\r\nJanela\r\n\r\n\r\n", "The text holds no controls"},
             {"hello", "'hello' is not a valid integer value"},
             {"BUT:1:2:3:99999999999:0\r\na\r\nb\r\n\r\n",
              "'99999999999' is not a valid integer value"},
             {"LAB:1:2:3:4:0\r\na\r\n1bad\r\n\r\n", "''1bad'' is not a valid component name"},
             {"LAB:1:2:3:4:0\r\na\r\nopc1\r\n\r\n", "A component named opc1 already exists"},
             {"LAB:0:0:0:0:0\r\n\r\nx\r\n\r\nCBX:0:0:0:0:0\r\n\r\nX\r\n\r\n",
              "A component named X already exists"},
         })
        EXPECT_EQ(errorOf([&] { readControlRecords(bad.text); }), bad.message) << bad.text;
    ControlData broken = controls[0];
    broken.caption = "two\nlines";
    EXPECT_EQ(errorOf([&] {
                  controlRecords({&broken, 1});
              }),
              "Cannot save the caption of c0: it holds a line break, which a design file cannot "
              "store");
}

TEST(Paste, TakesFreshDefaultNamesPassingTakenOnes) {
    Design design;
    CriaJLabel(design, true);
    std::vector<ControlData> copied{
        {ControlKind::Label, "JLabel1", "JLabel1", "dica", false, 10, 20, 57, 13, 5},
        {ControlKind::Button, "ok", "OK", "", true, 2147483600, 0, 100, 30, 4},
        {ControlKind::Label, "x", "x", "", true, 0, 0, 1, 1, 0}};
    std::vector<const Control*> made = design.pasteControls(copied, {100, 8});
    ASSERT_EQ(made.size(), 3u);
    std::vector<ControlData> want{
        {ControlKind::Label, "JLabel2", "JLabel2", "dica", false, 57, 28, 57, 13, 5},
        {ControlKind::Button, "JButton1", "OK", "", true, 2147483647, 8, 100, 30, 4},
        {ControlKind::Label, "JLabel3", "JLabel3", "", true, 47, 8, 1, 1, 0}};
    for (std::size_t i = 0; i < made.size(); ++i)
        EXPECT_EQ(made[i]->data(), want[i]);
    EXPECT_EQ(design.kindCounter(ControlKind::Label), 3);
    EXPECT_EQ(design.objectList().names(),
              (std::vector<std::string>{"JButton1", "JLabel1", "JLabel2", "JLabel3"}));

    design.rename(*made[1], "JLabel5"); // the name two labels further on
    made = design.pasteControls(copied, {});
    EXPECT_EQ(made[0]->name(), "JLabel4");
    EXPECT_EQ(made[1]->name(), "JButton2");
    EXPECT_EQ(made[2]->name(), "JLabel6");
    EXPECT_EQ(design.kindCounter(ControlKind::Label), 6);
}
