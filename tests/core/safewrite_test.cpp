#include "core/files/safewrite.h"

#include "core/files/designfile.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/model/error.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

/** Names of everything in the folder, hidden files included, sorted. */
std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

template <class Action> std::string errorOf(Action&& action) {
    try {
        action();
    } catch (const vap::Error& error) {
        return error.what();
    }
    return "(no error)";
}

const std::string oldBytes = "old content\r\n";

TEST(SafeWrite, CreatesAndReplaces) {
    vaptest::TempDir dir;
    std::string path = dir.file("a.vap");
    vap::writeFileAtomically(path, "first");
    EXPECT_EQ(vaptest::readBytes(path), "first");
    vap::writeFileAtomically(path, std::string("second\0\x1A\r\n", 11));
    EXPECT_EQ(vaptest::readBytes(path), std::string("second\0\x1A\r\n", 11));
    vap::writeFileAtomically(path, "");
    EXPECT_EQ(vaptest::readBytes(path), "");
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"a.vap"});
}

// Tests may run as root, whom the system lets write anything: the file's own bits must decide.
TEST(SafeWrite, ReadOnlyFileIsNotReplaced) {
    vaptest::TempDir dir;
    std::string path = dir.file("locked.vap");
    vaptest::writeBytes(path, oldBytes);
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    EXPECT_EQ(errorOf([&] { vap::writeFileAtomically(path, "new"); }), "File access denied");
    vap::Design design;
    EXPECT_EQ(errorOf([&] { vap::GravaJanela(design, path); }), "File access denied");

    EXPECT_EQ(vaptest::readBytes(path), oldBytes);
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"locked.vap"});
}

TEST(SafeWrite, MissingFolderWritesNothing) {
    vaptest::TempDir dir;
    std::string path = (dir.path() / "missing" / "a.vap").string();
    EXPECT_EQ(errorOf([&] { vap::writeFileAtomically(path, "new"); }), "Invalid filename");
    vap::Design design;
    EXPECT_EQ(errorOf([&] { vap::GravaJanela(design, path); }), "Invalid filename");
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(SafeWrite, FailureAfterWritingLeavesNoNewFileBehind) {
    vaptest::TempDir dir;
    fs::create_directory(dir.path() / "folder.vap");
    vaptest::writeBytes(dir.path() / "folder.vap" / "inside", oldBytes);
    EXPECT_THROW(vap::writeFileAtomically(dir.file("folder.vap"), "new"), vap::Error);
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"folder.vap"});
    EXPECT_EQ(vaptest::readBytes(dir.path() / "folder.vap" / "inside"), oldBytes);
}

struct UnstorableCase {
    const char* name;
    std::function<void(vap::Design&, vap::Control&)> spoil;
    std::vector<std::string> messageParts; // each must appear in the message
};

class UnstorableText : public testing::TestWithParam<UnstorableCase> {};

// A text that the file cannot hold, or that would break its lines, refuses the whole save.
TEST_P(UnstorableText, RefusesTheSaveAndKeepsTheOldFile) {
    vap::Design design;
    vap::CriaJLabel(design, true);
    vap::Control& button = vap::CriaJButton(design, true);
    design.rename(button, "okButton");
    GetParam().spoil(design, button);

    vaptest::TempDir dir;
    std::string path = dir.file("design.vap");
    vaptest::writeBytes(path, oldBytes);

    EXPECT_THROW(vap::serializeDesign(design), vap::Error);
    std::string message = errorOf([&] { vap::GravaJanela(design, path); });
    EXPECT_NE(message, "(no error)");
    for (const std::string& part : GetParam().messageParts)
        EXPECT_NE(message.find(part), std::string::npos) << message << "\nlacks: " << part;
    EXPECT_EQ(vaptest::readBytes(path), oldBytes);
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"design.vap"});
}

void caption(vap::Design& d, vap::Control& c, const char* text) {
    d.setCaption(c, text);
}
void hint(vap::Design& d, vap::Control& c, const char* text) {
    d.setHint(c, text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnstorableText,
    testing::Values(UnstorableCase{"ChineseCaption",
                                   [](auto& d, auto& c) { caption(d, c, "OK \xE4\xB8\xAD"); },
                                   {"\xE4\xB8\xAD", "okButton"}},
                    UnstorableCase{"EmojiHint",
                                   [](auto& d, auto& c) { hint(d, c, "Press \xF0\x9F\x98\x80"); },
                                   {"\xF0\x9F\x98\x80", "okButton"}},
                    UnstorableCase{"EmojiInWindowCaption",
                                   [](auto& d, auto&) { d.setCaption("Janela \xF0\x9F\x98\x80"); },
                                   {"\xF0\x9F\x98\x80"}},
                    UnstorableCase{"ChineseClassName",
                                   [](auto& d, auto&) { d.setJavaClassName("Janela\xE4\xB8\xAD"); },
                                   {"\xE4\xB8\xAD"}},
                    UnstorableCase{"InvalidUtf8Caption",
                                   [](auto& d, auto& c) { caption(d, c, "a\xFF"); },
                                   {"okButton"}},
                    UnstorableCase{"LineFeedInCaption",
                                   [](auto& d, auto& c) { caption(d, c, "two\nlines"); },
                                   {"okButton"}},
                    UnstorableCase{"CarriageReturnInHint",
                                   [](auto& d, auto& c) { hint(d, c, "a\rb"); },
                                   {"okButton"}},
                    UnstorableCase{"CtrlZInCaption",
                                   [](auto& d, auto& c) { caption(d, c, "end\x1Ahere"); },
                                   {"okButton"}}),

    [](const auto& info) { return std::string(info.param.name); });

} // namespace
