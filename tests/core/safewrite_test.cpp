#include "core/files/safewrite.h"

#include "core/files/designfile.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/model/error.h"
#include "core/support/errorof.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using vaptest::entriesOf;
using vaptest::errorOf;

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
    EXPECT_FALSE(message.empty());
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

/** What a save meets at its target; `plant` returns why the case cannot be set up, or "". */
struct TargetCase {
    const char* name;
    std::function<std::string(const fs::path& dir, const std::string& target)> plant;
    std::string message; // "" when the save must succeed
    std::function<void(const fs::path& dir, const std::string& target)> check;
};

constexpr uid_t otherUser = 4242;

std::string plantLinkTo(const fs::path& dir, const std::string& target, const char* to) {
    fs::create_symlink(dir / to, target);
    return {};
}

/** A sticky folder that anyone may write, like /tmp, holding a file `victim` of ours. */
fs::path stickyFolder(const fs::path& dir) {
    fs::path sticky = dir / "shared";
    fs::create_directory(sticky);
    fs::permissions(sticky, fs::perms::all | fs::perms::sticky_bit);
    vaptest::writeBytes(dir / "victim", oldBytes);
    return sticky;
}

const TargetCase targetCases[] = {
    {"Fifo",
     [](const fs::path&, const std::string& target) {
         return mkfifo(target.c_str(), 0666) == 0 ? "" : "mkfifo failed";
     },
     " is not a regular file",
     [](const fs::path&, const std::string& target) { EXPECT_TRUE(fs::is_fifo(target)); }},
    {"DeviceNode",
     [](const fs::path&, const std::string& target) {
         // A second /dev/null: as root the save would otherwise replace the device itself.
         return mknod(target.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 ? "" : "mknod needs root";
     },
     " is not a regular file",
     [](const fs::path&, const std::string& target) {
         EXPECT_TRUE(fs::is_character_file(target));
     }},
    {"DanglingLink",
     [](const fs::path& dir, const std::string& target) {
         return plantLinkTo(dir, target, "nowhere.vap");
     },
     " is a link to a missing file",
     [](const fs::path& dir, const std::string& target) {
         EXPECT_TRUE(fs::is_symlink(target));
         EXPECT_FALSE(fs::exists(dir / "nowhere.vap"));
     }},
    {"OwnLinkIsFollowedAndKept",
     [](const fs::path& dir, const std::string& target) {
         vaptest::writeBytes(dir / "real.vap", oldBytes);
         return plantLinkTo(dir, target, "real.vap");
     },
     "",
     [](const fs::path& dir, const std::string& target) {
         EXPECT_TRUE(fs::is_symlink(target));
         EXPECT_EQ(vaptest::readBytes(dir / "real.vap"), "new");
     }},
    {"LinkPlantedByOtherUserInStickyFolder",
     [](const fs::path& dir, const std::string&) {
         fs::path link = stickyFolder(dir) / "planted.vap";
         fs::create_symlink(dir / "victim", link);
         if (geteuid() != 0)
             return "giving a link to another user needs root";
         return lchown(link.c_str(), otherUser, otherUser) == 0 ? "" : "lchown failed";
     },
     "File access denied",
     [](const fs::path& dir, const std::string&) {
         EXPECT_EQ(vaptest::readBytes(dir / "victim"), oldBytes);
     }},
    {"OwnersKept",
     [](const fs::path&, const std::string& target) {
         vaptest::writeBytes(target, oldBytes);
         if (geteuid() != 0)
             return "giving a file to another user needs root";
         return chown(target.c_str(), otherUser, otherUser) == 0 ? "" : "chown failed";
     },
     "",
     [](const fs::path&, const std::string& target) {
         struct stat info {};
         ASSERT_EQ(stat(target.c_str(), &info), 0);
         EXPECT_EQ(info.st_uid, otherUser);
         EXPECT_EQ(info.st_gid, otherUser);
     }},
    {"ExtendedAttributesKept",
     [](const fs::path&, const std::string& target) {
         vaptest::writeBytes(target, oldBytes);
         return setxattr(target.c_str(), "user.vaptest", "kept", 4, 0) == 0
                    ? ""
                    : "this file system takes no user attributes";
     },
     "",
     [](const fs::path&, const std::string& target) {
         char value[8] = {};
         EXPECT_EQ(getxattr(target.c_str(), "user.vaptest", value, sizeof value), 4);
         EXPECT_STREQ(value, "kept");
     }},
    {"FolderOthersMayWrite",
     [](const fs::path& dir, const std::string&) {
         fs::permissions(dir, fs::perms::all);
         return "";
     },
     " is not safe to write in: other users may write in it",
     [](const fs::path&, const std::string& target) { EXPECT_FALSE(fs::exists(target)); }},
    {"OthersFileInStickyFolder",
     [](const fs::path& dir, const std::string& target) {
         fs::permissions(dir, fs::perms::all | fs::perms::sticky_bit);
         vaptest::writeBytes(target, oldBytes);
         fs::permissions(target, fs::perms::all);
         if (geteuid() != 0)
             return "giving a file to another user needs root";
         return chown(target.c_str(), otherUser, otherUser) == 0 ? "" : "chown failed";
     },
     "File access denied",
     [](const fs::path&, const std::string& target) {
         EXPECT_EQ(vaptest::readBytes(target), oldBytes);
     }},
    {"LongestFileName", [](const fs::path&, const std::string&) { return ""; }, "",
     [](const fs::path&, const std::string& target) {
         EXPECT_EQ(vaptest::readBytes(target), "new");
     }},
};

class HostileTarget : public testing::TestWithParam<TargetCase> {};

TEST_P(HostileTarget, IsRefusedOrKeptAsItWas) {
    const TargetCase& c = GetParam();
    vaptest::TempDir dir;
    std::string target = std::string(c.name) == "LongestFileName"
                             ? dir.file(std::string(251, 'n') + ".vap")
                         : std::string(c.name) == "LinkPlantedByOtherUserInStickyFolder"
                             ? (dir.path() / "shared" / "planted.vap").string()
                             : dir.file("target.vap");
    if (std::string why = c.plant(dir.path(), target); !why.empty())
        GTEST_SKIP() << why;
    std::string message = errorOf([&] { vap::writeFileAtomically(target, "new"); });
    if (c.message.empty())
        EXPECT_EQ(message, "");
    else
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
    c.check(dir.path(), target);
    for (const std::string& entry : entriesOf(dir.path()))
        EXPECT_EQ(entry.find(".vaporina-"), std::string::npos) << entry;
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileTarget, testing::ValuesIn(targetCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A save killed before its end leaves nothing: the new file has no name until it is complete.
TEST(SafeWrite, UnfinishedSaveHasNoNameInTheFolder) {
    vaptest::TempDir dir;
    int probe = open(dir.path().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0)
        GTEST_SKIP() << "this file system has no unnamed temporary files";
    close(probe);
    std::string path = dir.file("design.vap");
    vaptest::writeBytes(path, oldBytes);
    std::vector<std::string> seenWhileWriting;
    vap::writeFileAtomically(path, "new", [&](vap::SaveStep step) {
        if (step == vap::SaveStep::Flush)
            seenWhileWriting = entriesOf(dir.path());
        return 0;
    });
    EXPECT_EQ(seenWhileWriting, std::vector<std::string>{"design.vap"});
    EXPECT_EQ(vaptest::readBytes(path), "new");
}

} // namespace
