#include "core/codegen/commenttexts.h"
#include "core/codegen/windowobjects.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/support/controls.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using ::testing::ElementsAre;
using vap::ControlKind;
using vap::Design;

using Lines = std::vector<std::string>;
using vaptest::addControl;

void setWindow(Design& design, const std::string& title, std::int32_t width, std::int32_t height) {
    design.setCaption(title);
    design.setWindowWidth(width);
    design.setWindowHeight(height);
}

vap::GeneratedCode generate(const Design& design,
                            vap::LanguageCode lingua = vap::Language::Portuguese) {
    vap::LineCollector code;
    vap::GeraObjetosJanela(design, vap::commentTextsFor(lingua), code);
    return {vap::windowObjectsCaption(lingua), std::move(code.lines), {}};
}

/** The lines after the controls-section comment. */
Lines controlsSection(const Lines& lines) {
    auto at = std::find(lines.begin(), lines.end(), "// Cria os Controles na Janela");
    return at == lines.end() ? Lines{} : Lines(at + 1, lines.end());
}

/** The handler methods of the listener blocks, in output order. */
Lines handlerMethods(const Lines& lines) {
    Lines methods;
    const std::string prefix = "  public void ";
    for (const std::string& line : lines)
        if (line.starts_with(prefix))
            methods.push_back(line.substr(prefix.size(), line.find('(') - prefix.size()));
    return methods;
}

// The golden files pin the modal and resizable lines; no golden design is empty.
TEST(WindowObjects, EmptyDesignHasNineLines) {
    Design design;
    setWindow(design, "Vazia", 200, 150);
    EXPECT_THAT(generate(design).lines,
                ElementsAre("// Criação dos Objetos", "", "// Cria a Janela",
                            "this.getContentPane().setLayout(null);", "this.setSize(200, 150);",
                            "this.setTitle(\"Vazia\");", "this.setResizable(false);", "",
                            "// Cria os Controles na Janela"));
}

TEST(WindowObjects, DeletedListLeavesNoGapInScrollPaneNumbers) {
    Design design;
    vap::Control& first = vap::CriaJList(design, true);
    vap::CriaJList(design, true);
    design.deleteControl(first);

    Lines lines = generate(design).lines;
    EXPECT_EQ(lines[1], "private JList JList2 = new JList();");
    EXPECT_EQ(lines[2], "private JScrollPane jScrollPane1 = new JScrollPane();");
    EXPECT_THAT(controlsSection(lines),
                ElementsAre("jScrollPane1.setBounds(new Rectangle(1, 40, 130, 160));",
                            "jScrollPane1.getViewport().add(JList2, null);",
                            "this.getContentPane().add(jScrollPane1, null);"));
}

struct MaskCase {
    ControlKind kind;
    std::int32_t tag;
    Lines methods;
};

class ListenerMask : public ::testing::TestWithParam<MaskCase> {};

TEST_P(ListenerMask, BlocksFollowGreedyDecoding) {
    const MaskCase& param = GetParam();
    Design design;
    addControl(design, param.kind, {"", "", 5, 5, 50, 20, param.tag});
    EXPECT_EQ(handlerMethods(generate(design).lines), param.methods) << "tag " << param.tag;
}

const Lines allFive{"focusLost", "focusGained", "actionPerformed", "mouseClicked", "keyPressed"};
const Lines noAction{"focusLost", "focusGained", "mouseClicked", "keyPressed"};

INSTANTIATE_TEST_SUITE_P(
    Masks, ListenerMask,
    ::testing::Values(
        MaskCase{ControlKind::Button, 0, {}},
        MaskCase{ControlKind::Button, 5, {"actionPerformed", "keyPressed"}},
        MaskCase{ControlKind::TextField, 21, {"focusLost", "actionPerformed", "keyPressed"}},
        MaskCase{ControlKind::PasswordField, 10, {"focusGained", "mouseClicked"}},
        MaskCase{ControlKind::ComboBox, 31, allFive}, MaskCase{ControlKind::Button, 32, allFive},
        MaskCase{ControlKind::Button, 48, allFive}, MaskCase{ControlKind::Button, 1000000, allFive},
        MaskCase{ControlKind::Button, -1, {}}, MaskCase{ControlKind::Button, -31, {}},
        // Swing labels and lists take no action listener; the other events stay.
        MaskCase{ControlKind::Label, 31, noAction}, MaskCase{ControlKind::List, 31, noAction},
        MaskCase{ControlKind::Label, 4, {}}, MaskCase{ControlKind::List, 36, noAction}));

TEST(WindowObjects, TooltipOnlyForHintsWithVisibleText) {
    struct HintCase {
        std::string hint;
        std::string tooltip; // empty: no tooltip line
    };
    const std::vector<HintCase> cases{
        {"", ""},
        {"    ", ""},
        {" \t\r\n ", ""},
        {"  Dica  ", "JButton1.setToolTipText(\"  Dica  \");"},
        {"\tDica", "JButton1.setToolTipText(\"\\tDica\");"},
        {"ã", "JButton1.setToolTipText(\"ã\");"},
        {"\u00a0", "JButton1.setToolTipText(\"\u00a0\");"},
    };
    for (const HintCase& hintCase : cases) {
        Design design;
        addControl(design, ControlKind::Button, {"", hintCase.hint, 1, 2, 3, 4, 0});
        Lines expected;
        if (!hintCase.tooltip.empty())
            expected.push_back(hintCase.tooltip);
        expected.push_back("JButton1.setBounds(new Rectangle(1, 2, 3, 4));");
        expected.push_back("this.getContentPane().add(JButton1, null);");
        EXPECT_EQ(controlsSection(generate(design).lines), expected)
            << "hint \"" << hintCase.hint << "\"";
    }
}

TEST(WindowObjects, NegativeBoundsAndSizes) {
    Design design;
    setWindow(design, "", 1, 0);
    addControl(design, ControlKind::Label, {"", "", -5, -12, 57, 13, 0});
    addControl(design, ControlKind::List, {"", "", -130, 40, -1, -2147483647 - 1, 0});
    Lines lines = generate(design).lines;
    EXPECT_THAT(lines, ::testing::Contains("this.setSize(1, 0);"));
    EXPECT_THAT(lines, ::testing::Contains("this.setTitle(\"\");"));
    EXPECT_THAT(lines, ::testing::Contains("JLabel1.setBounds(new Rectangle(-5, -12, 57, 13));"));
    EXPECT_THAT(lines, ::testing::Contains(
                           "jScrollPane1.setBounds(new Rectangle(-130, 40, -1, -2147483648));"));
}

TEST(WindowObjects, TextsAreEscapedAsJavaStringLiterals) {
    Design design;
    setWindow(design, "Janela \"A\" \\ B", 300, 200);
    const std::string raw =
        "Diz \"oi\" C:\\dir\t\x01\n\r\b\f\x1f|Código ação €\u0081\u009d\\\u0080";
    const std::string escaped = "Diz \\\"oi\\\" C:\\\\dir\\t\\001\\n\\r\\b\\f\\037|Código ação "
                                "€\\u0081\\u009D\\\\\\u0080";
    addControl(design, ControlKind::Label, {raw, raw, 0, 0, 10, 10, 0});
    addControl(design, ControlKind::TextField, {raw, "", 0, 0, 10, 10, 0});
    addControl(design, ControlKind::PasswordField, {"\\u000a", "", 0, 0, 10, 10, 0});
    addControl(design, ControlKind::Button, {"\"", "\\", 0, 0, 10, 10, 0});

    Lines lines = generate(design).lines;
    EXPECT_EQ(lines[1], "private JLabel JLabel1 = new JLabel(\"" + escaped + "\");");
    EXPECT_EQ(lines[2], "private JTextField JTextField1 = new JTextField(\"" + escaped + "\");");
    EXPECT_EQ(lines[3],
              "private JPasswordField JPasswordField1 = new JPasswordField(\"\\\\u000a\");");
    EXPECT_EQ(lines[4], "private JButton JButton1 = new JButton(\"\\\"\");");
    EXPECT_THAT(lines, ::testing::Contains("this.setTitle(\"Janela \\\"A\\\" \\\\ B\");"));
    EXPECT_THAT(lines, ::testing::Contains("JLabel1.setToolTipText(\"" + escaped + "\");"));
    EXPECT_THAT(lines, ::testing::Contains("JButton1.setToolTipText(\"\\\\\");"));
    for (const std::string& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
}

// The comment lines of each language are pinned by the golden case senha-three-languages; the
// code window's caption is not.
TEST(WindowObjects, CaptionFollowsTheLanguage) {
    const std::pair<vap::Language, const char*> captions[] = {
        {vap::Language::Portuguese, "Código para a Geração da Janela"},
        {vap::Language::English, "Code for the Generation of the Window"},
        {vap::Language::Spanish, "Codifique para Generación de Ventana"}};
    for (auto [language, caption] : captions)
        EXPECT_EQ(generate(Design(), language).caption, caption);
}

TEST(WindowObjects, CodeOutsideOneToThreeHasNoCaptionAndEmptyComments) {
    Design design;
    setWindow(design, "T", 10, 20);
    addControl(design, ControlKind::Button, {"B", "", 1, 2, 3, 4, 16});
    for (int lingua : {0, 4}) {
        vap::GeneratedCode code = generate(design, vap::LanguageCode(lingua));
        EXPECT_EQ(code.caption, std::nullopt) << lingua;
        EXPECT_THAT(code.lines,
                    ElementsAre("", "private JButton JButton1 = new JButton(\"B\");", "", "",
                                "this.getContentPane().setLayout(null);", "this.setSize(10, 20);",
                                "this.setTitle(\"T\");", "this.setResizable(false);", "", "",
                                "JButton1.setBounds(new Rectangle(1, 2, 3, 4));",
                                "this.getContentPane().add(JButton1, null);",
                                "JButton1.addFocusListener (new FocusAdapter() {",
                                "  public void focusLost(FocusEvent e) {", "", "}});"))
            << lingua;
    }
}

} // namespace
