#include "cli/vapgen.h"
#include "core/codegen/javalimits.h"
#include "core/codegen/javasource.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/support/controls.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <sstream>

// What javac refuses, as the designer's inputs and vapgen meet it: each row a design or a value
// that reached javac before, or one just inside the limit.

namespace {

using vap::JavaValue;

std::string times(std::size_t count, std::string_view piece) {
    std::string text;
    while (count--)
        text += piece;
    return text;
}

struct LimitCase {
    JavaValue what;
    std::string value;     // given to a label or the window; empty: none
    int buttons, labels;   // controls besides, the buttons with all five events
    std::string complaint; // in vapgen's standard error; empty: javac takes it, vapgen is silent
};

TEST(JavaLimits, RefusedWhereTheyEnterAndWarnedWhenGenerated) {
    const std::string tooLarge = "Warning: javac will refuse this code (\"code too large\")";
    const std::vector<LimitCase> cases{
        {JavaValue::Caption, times(65536, "a"), 0, 0, "(JLabel1): The caption is too long"},
        {JavaValue::Caption, times(65534, "a"), 0, 0, ""},
        {JavaValue::Hint, times(32768, "é"), 0, 0, "(JLabel1): The hint is too long"},
        {JavaValue::Hint, times(21845, "€"), 0, 0, ""}, // 65,535 bytes
        {JavaValue::Caption, times(32768, "\u0090"), 0, 0, "(JLabel1): The caption is too long"},
        {JavaValue::Caption, times(32767, "\u0090") + "a", 0, 0, ""}, // "\u0090" takes 2 bytes
        {JavaValue::Hint, times(70000, " "), 0, 0, ""},               // a blank hint is not written
        {JavaValue::Title, times(21845, "€") + "a", 0, 0, ": The window's caption is too long"},
        {JavaValue::Name, times(70000, "a"), 0, 0, "(aaaaaaaa"},
        {JavaValue::ClassName, times(300, "A"), 0, 0, "vapgen: The class name is too long"},
        {JavaValue::ClassName, times(122, "é"), 0, 0, ""}, // 244 bytes
        {JavaValue::Caption, "", 700, 0, tooLarge},
        {JavaValue::Caption, "", 400, 0, ""},
        {JavaValue::Caption, "", 0, 2500, tooLarge},
        {JavaValue::Caption, "", 0, 1500, ""},
    };
    vaptest::TempDir dir;
    for (const LimitCase& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases.data()));
        vap::Design design;
        for (int i = 0; i < c.buttons + c.labels; ++i)
            vaptest::addControl(design,
                                i < c.buttons ? vap::ControlKind::Button : vap::ControlKind::Label,
                                {"c", "", 10, i, 75, 25, i < c.buttons ? 31 : 0});
        if (!c.value.empty()) {
            vap::Control& label = vap::CriaJLabel(design, true);
            if (c.what == JavaValue::Caption)
                design.setCaption(label, c.value);
            if (c.what == JavaValue::Hint)
                design.setHint(label, c.value);
            if (c.what == JavaValue::Name)
                design.rename(label, c.value);
            if (c.what == JavaValue::Title)
                design.setCaption(c.value);
            if (c.what == JavaValue::ClassName)
                design.setJavaClassName(c.value);
        }
        bool fits = c.complaint.empty();
        EXPECT_EQ(c.value.empty() ? vap::windowMethodCodeSize(design) <= vap::maxMethodCodeBytes
                                  : vap::fitsJava(c.what, c.value),
                  fits);
        const std::string file = dir.file("design.vap");
        vap::GravaJanela(design, file);

        // A warning leaves the code and the exit status as they were; a class name is refused.
        bool className = c.what == JavaValue::ClassName;
        std::ostringstream out, err;
        EXPECT_EQ(vap::runVapgen({className ? "class" : "objects", file, "--lang", "2"}, out, err),
                  className && !fits ? 1 : 0);
        EXPECT_EQ(err.str().empty(), fits) << err.str().substr(0, 200);
        EXPECT_NE(err.str().find(c.complaint), std::string::npos) << err.str().substr(0, 200);
        // The complete class of vapgen java and the preview is refused where javac refuses.
        std::ostringstream javaOut, javaErr;
        EXPECT_EQ(vap::runVapgen({"java", file, "--lang", "2"}, javaOut, javaErr), fits ? 0 : 1);
        if (className)
            continue;
        vap::openDesign(design, file);
        vap::ExampleClassContext context{
            vap::Language::English, "", "", vap::commentTextsFor(vap::Language::English), {}};
        EXPECT_EQ(vap::composeJavaSource(design, context, "Preview").refusals.size(),
                  fits ? 0u : 1u);
        vap::LineCollector lines;
        vap::GeraObjetosJanela(design, vap::commentTextsFor(vap::Language::English), lines);
        EXPECT_EQ(out.str(), vap::joinLines(lines.lines, "\n"));
    }
}

} // namespace
