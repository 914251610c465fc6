// Every tests/data/bad/<case>.vap must fail to open with the message in <case>.message, and the
// design it was opened into must stay exactly as it was.

#include "core/files/designfile.h"

#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/support/designstate.h"
#include "core/support/errorof.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path badFolder = fs::path(VAP_TEST_DATA) / "bad";

std::vector<std::string> badCases() {
    std::vector<std::string> cases;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(badFolder, error)) {
        if (entry.path().extension() == ".vap")
            cases.push_back(entry.path().stem().string());
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::string trimmed(std::string text) {
    const char* blanks = " \t\r\n";
    text.erase(text.find_last_not_of(blanks) + 1);
    text.erase(0, text.find_first_not_of(blanks));
    return text;
}

/** A design that an open must not disturb: a changed window and a control with every field set. */
void fillDesign(vap::Design& design) {
    design.setCaption("Before");
    design.setJavaClassName("Keep");
    design.setWindowLeft(-7);
    design.setWindowHeight(99);
    vap::CriaJLabel(design, true);
    vap::Control& button = vap::CriaJButton(design, true);
    design.rename(button, "okButton");
    design.setCaption(button, "OK");
    design.setHint(button, "Confirms");
    design.setLeft(button, 12);
    design.setTag(button, 4);
}

std::string openError(vap::Design& design, const std::string& path) {
    return vaptest::errorOf([&] { vap::openDesign(design, path); });
}

class BadFile : public testing::TestWithParam<std::string> {};

TEST_P(BadFile, IsRefusedWithItsMessageAndChangesNothing) {
    fs::path file = badFolder / (GetParam() + ".vap");
    fs::path message = badFolder / (GetParam() + ".message");
    ASSERT_TRUE(fs::exists(message)) << message << " is missing";

    vap::Design design;
    fillDesign(design);
    vaptest::DesignState before = vaptest::stateOf(design);

    EXPECT_EQ(openError(design, file.string()), trimmed(vaptest::readBytes(message)));
    EXPECT_EQ(vaptest::stateOf(design), before);
}

INSTANTIATE_TEST_SUITE_P(Data, BadFile, testing::ValuesIn(badCases()), [](const auto& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
});

TEST(BadFiles, FolderHoldsTheCases) {
    EXPECT_GE(badCases().size(), 15u) << badFolder;
}

TEST(BadFiles, MissingFileIsNotFoundAndNotCreated) {
    vaptest::TempDir dir;
    std::string path = dir.file("missing.vap");
    vap::Design design;
    fillDesign(design);
    vaptest::DesignState before = vaptest::stateOf(design);

    EXPECT_EQ(openError(design, path), "File not found");
    EXPECT_EQ(vaptest::stateOf(design), before);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

/** The reader's checks concern the file reached, whatever name leads to it. */
std::string symlinkToZero(const std::string& path) {
    std::error_code error;
    fs::create_symlink("/dev/zero", path, error);
    return error ? "no /dev/zero" : "";
}

/** An input that is no design file at all; `plant` returns why it cannot be set up, or "". */
struct InputCase {
    const char* name;
    std::function<std::string(const std::string& path)> plant;
    std::string message; // after the path
};

const InputCase inputCases[] = {
    // A device never ends: reading it would fill the memory.
    {"DeviceNode", [](const std::string& path) { return symlinkToZero(path); },
     " is not a regular file"},
    // A pipe without a writer would block the open itself.
    {"FifoWithoutWriter",
     [](const std::string& path) { return mkfifo(path.c_str(), 0600) == 0 ? "" : "mkfifo"; },
     " is not a regular file"},
    // A sparse file reports a size far beyond any design; nothing may be reserved for it.
    {"HugeSparseFile",
     [](const std::string& path) {
         vaptest::writeBytes(path, "");
         return truncate(path.c_str(), off_t{300} << 20) == 0 ? "" : "truncate";
     },
     " is too large for a design file (over 256 MB)"},
};

class HostileInput : public testing::TestWithParam<InputCase> {};

TEST_P(HostileInput, IsRefusedBeforeReadingAndChangesNothing) {
    vaptest::TempDir dir;
    std::string path = dir.file("input.vap");
    if (std::string why = GetParam().plant(path); !why.empty())
        GTEST_SKIP() << why;
    vap::Design design;
    fillDesign(design);
    vaptest::DesignState before = vaptest::stateOf(design);
    EXPECT_EQ(openError(design, path), path + GetParam().message);
    EXPECT_EQ(vaptest::stateOf(design), before);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileInput, testing::ValuesIn(inputCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
