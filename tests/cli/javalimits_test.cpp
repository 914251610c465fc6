#include "cli/vapgen.h"
#include "core/codegen/javalimits.h"
#include "core/codegen/windowobjects.h"
#include "core/files/designfile.h"
#include "core/support/controls.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <sstream>

// What javac refuses, as the designer's inputs and vapgen meet it: each row a design or a value
// that reached javac before, or one just inside the limit.

namespace {

using vap::JavaValue;

std::string times(std::size_t count, std::string_view piece) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text += piece;
    return text;
}

std::function<void(vap::Design&)> controls(int count, vap::ControlKind kind, std::int32_t tag) {
    return [=](vap::Design& design) {
        for (int i = 0; i < count; ++i)
            vaptest::addControl(design, kind, {"c", "", 10, i, 75, 25, tag});
    };
}

std::function<void(vap::Design&)> label(JavaValue what, std::string text) {
    return [=](vap::Design& design) {
        vap::Control& control = vap::CriaJLabel(design, true);
        if (what == JavaValue::Caption)
            design.setCaption(control, text);
        else if (what == JavaValue::Hint)
            design.setHint(control, text);
        else if (what == JavaValue::Name)
            design.rename(control, text);
        else
            design.setCaption(text);
    };
}

struct LimitCase {
    std::string reproduction;
    JavaValue what;
    std::string value; // empty: the row is about the design's size
    bool fits;
    std::function<void(vap::Design&)> build;
    std::string warning; // vapgen's standard error for the window objects; empty: none
};

TEST(JavaLimits, RefusedWhereTheyEnterAndWarnedWhenGenerated) {
    const std::string tooLarge = "Warning: javac will refuse this code (\"code too large\")";
    const std::vector<LimitCase> cases{
        {"65,536-byte caption",
         JavaValue::Caption,
         times(65536, "a"),
         false,
         {},
         "(JLabel1): The caption"},
        {"65,534 characters", JavaValue::Caption, times(65534, "a"), true, {}, ""},
        {"65,536-byte hint", JavaValue::Hint, times(32768, "é"), false, {}, "(JLabel1): The hint"},
        {"65,535 bytes", JavaValue::Hint, times(21845, "€"), true, {}, ""},
        {"a blank hint is not written", JavaValue::Hint, times(70000, " "), true, {}, ""},
        {"65,536-byte title",
         JavaValue::Title,
         times(21845, "€") + "a",
         false,
         {},
         ": The window's"},
        {"70,000-character name", JavaValue::Name, times(70000, "a"), false, {}, "(aaaaaaaa"},
        {"300-character class name", JavaValue::ClassName, times(300, "A"), false, {}, ""},
        {"244-byte class name", JavaValue::ClassName, times(122, "é"), true, {}, ""},
        {"700 controls with all five events",
         {},
         "",
         false,
         controls(700, vap::ControlKind::Button, 31),
         tooLarge},
        {"400 of them", {}, "", true, controls(400, vap::ControlKind::Button, 31), ""},
        {"2,500 labels", {}, "", false, controls(2500, vap::ControlKind::Label, 0), tooLarge},
        {"1,500 labels", {}, "", true, controls(1500, vap::ControlKind::Label, 0), ""},
    };
    vaptest::TempDir dir;
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.reproduction);
        vap::Design design;
        if (c.what == JavaValue::ClassName)
            design.setJavaClassName(c.value);
        else
            (c.build ? c.build : label(c.what, c.value))(design);
        EXPECT_EQ(c.value.empty() ? vap::windowMethodCodeSize(design) <= vap::maxMethodCodeBytes
                                  : vap::fitsJava(c.what, c.value),
                  c.fits);
        const std::string file = dir.file("design.vap");
        vap::GravaJanela(design, file);

        std::ostringstream out, err;
        std::string command = c.what == JavaValue::ClassName ? "class" : "objects";
        int code = vap::runVapgen({command, file, "--lang", "2"}, out, err);
        if (c.what == JavaValue::ClassName) {
            EXPECT_EQ(code, c.fits ? 0 : 1);
            EXPECT_EQ(
                err.str(),
                c.fits ? ""
                       : "vapgen: " + vap::tooLongForJavaMessage(c.what, vap::Language::English) +
                             "\n");
            continue;
        }
        // A warning leaves the code and the exit status as they were.
        EXPECT_EQ(code, 0);
        vap::LineCollector lines;
        vap::openDesign(design, file);
        vap::GeraObjetosJanela(design, vap::commentTextsFor(vap::Language::English), lines);
        EXPECT_EQ(out.str(), vap::joinLines(lines.lines, "\n"));
        EXPECT_EQ(err.str().empty(), c.warning.empty()) << err.str().substr(0, 200);
        EXPECT_NE(err.str().find(c.warning), std::string::npos) << err.str().substr(0, 200);
    }
}

} // namespace
