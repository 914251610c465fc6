// Hostile files and paths met by vapgen and the designer's reader and writer, one row each.
#include "cli/vapgen.h"
#include "core/files/designfile.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/support/errorof.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using vaptest::readBytes;
using vaptest::writeBytes;

const std::string design =
    "JAN:1:2:300:400:0\r\nCadastro\r\n\r\n\r\nLAB:1:2:3:4:0\r\nNome\r\nJLabel1\r\n\r\n";

struct Outcome {
    int code = 0;
    std::string err;
};

Outcome vapgen(std::vector<std::string> arguments) {
    std::ostringstream out, err;
    int code = vap::runVapgen(arguments, out, err);
    return {code, err.str()};
}

/** The real binary under strace, killed when it enters one of the calls. */
int killedAt(const std::string& calls, const std::string& arguments) {
    std::string command = "strace -f -qq -o /dev/null -e inject=" + calls + ":signal=SIGKILL " +
                          VAPGEN_BINARY + " " + arguments + " 2>/dev/null";
    return WEXITSTATUS(std::system(command.c_str())); // the shell's 137 for a killed command
}

std::string minimalRecords(int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += "LAB:\n\nq" + std::to_string(i) + "\n\n";
    return bytes;
}

/** Plants what the row needs in the folder and runs it; "" or why it cannot run here. */
struct Case {
    const char* name;
    std::function<std::string(const fs::path& dir, Outcome& run)> act;
    int code;
    std::string message; // a part of the error; "" when there is none
    std::function<void(const fs::path& dir, const Outcome& run)> check;
};

const Case cases[] = {
    {"FolderLinkInStickyFolder",
     [](const fs::path& dir, Outcome& run) {
         if (geteuid() != 0)
             return std::string("giving a link to another user needs root");
         fs::create_directories(dir / "S");
         fs::permissions(dir / "S", fs::perms::all | fs::perms::sticky_bit);
         fs::create_directories(dir / "V");
         writeBytes(dir / "V/t.vap", "old");
         fs::create_directory_symlink(dir / "V", dir / "S/d");
         EXPECT_EQ(lchown((dir / "S/d").c_str(), 65534, 65534), 0);
         writeBytes(dir / "a.vap", design);
         run = vapgen({"resave", dir / "a.vap", dir / "S/d/t.vap"});
         return std::string();
     },
     1, "File access denied",
     [](const fs::path& dir, const Outcome&) { EXPECT_EQ(readBytes(dir / "V/t.vap"), "old"); }},
    {"KillBeforeRenameOrLink",
     [](const fs::path& dir, Outcome& run) {
         if (std::system("strace -qq -o /dev/null true 2>/dev/null") != 0)
             return std::string("no strace here, or no tracing allowed");
         std::string a = (dir / "a.vap").string(), b = (dir / "b.vap").string();
         writeBytes(a, design);
         writeBytes(b, "old");
         EXPECT_EQ(killedAt("rename,renameat,renameat2", "resave " + a + " " + b), 137);
         EXPECT_EQ(readBytes(b), "old");
         EXPECT_EQ(killedAt("link,linkat", "resave " + a + " " + (dir / "c.vap").string()), 137);
         run = vapgen({"resave", a, b}); // removes what the killed save left
         return std::string();
     },
     0, "",
     [](const fs::path& dir, const Outcome&) {
         EXPECT_EQ(vaptest::entriesOf(dir), (std::vector<std::string>{"a.vap", "b.vap"}));
         EXPECT_EQ(readBytes(dir / "b.vap"), design);
     }},
    {"NulBytesOf256MB",
     [](const fs::path& dir, Outcome& run) {
         fs::resize_file((writeBytes(dir / "nul.vap", ""), dir / "nul.vap"), 256u << 20);
         run = vapgen({"check", dir / "nul.vap"});
         return std::string();
     },
     1, "\\x00\\x00\xE2\x80\xA6' is not a valid integer value",
     [](const fs::path&, const Outcome& run) { EXPECT_LT(run.err.size(), 300u); }},
    {"LongNameIsQuotedShort",
     [](const fs::path& dir, Outcome& run) {
         writeBytes(dir / "n.vap",
                    "LAB:1:2:3:4:0\r\n\r\n" + std::string(1 << 20, 'n') + "-\r\n\r\n");
         run = vapgen({"check", dir / "n.vap"});
         return std::string();
     },
     1, "''" + std::string(60, 'n') + "\xE2\x80\xA6'' is not a valid component name",
     [](const fs::path&, const Outcome& run) { EXPECT_LT(run.err.size(), 120u); }},
    {"LongPathIsQuotedShortWithItsFileName",
     [](const fs::path& dir, Outcome& run) {
         writeBytes(dir / "a.vap", design);
         EXPECT_EQ(mkfifo((dir / "fifo.vap").c_str(), 0600), 0);
         std::string path = dir.string();
         for (int i = 0; i < 60000; ++i)
             path += "/.";
         run = vapgen({"resave", dir / "a.vap", path + "/fifo.vap"});
         return std::string();
     },
     1, "/./././fifo.vap is not a regular file",
     [](const fs::path& dir, const Outcome& run) {
         EXPECT_EQ(run.err.rfind("vapgen: " + dir.string().substr(0, 15), 0), 0u);
         EXPECT_NE(run.err.find("\xE2\x80\xA6/./"), std::string::npos);
         EXPECT_LT(run.err.size(), 100u);
     }},
    {"MinimalRecordsAreRefusedBeforeTheyGrow",
     [](const fs::path& dir, Outcome& run) {
         writeBytes(dir / "m.vap", minimalRecords(300000));
         run = vapgen({"check", dir / "m.vap"});
         return std::string();
     },
     1, "The design has too many controls or too long texts for the size of its file (300000",
     nullptr},
    {"WriterRefusesWhatTheReaderWould",
     [](const fs::path& dir, Outcome& run) {
         vap::Design many;
         vap::applyDesignFile(many, vap::parseDesignFile(minimalRecords(100000)));
         for (int i = 0; i < 150000; ++i)
             vap::CriaJLabel(many, false);
         run.err = vaptest::errorOf([&] { vap::GravaJanela(many, dir / "m.vap"); });
         run.code = run.err.empty() ? 0 : 1;
         return std::string();
     },
     1, "Cannot save: The design has too many controls",
     [](const fs::path& dir, const Outcome&) { EXPECT_FALSE(fs::exists(dir / "m.vap")); }},
    {"WhatTheWriterWritesIsRead",
     [](const fs::path& dir, Outcome& run) {
         writeBytes(dir / "m.vap", minimalRecords(100000));
         EXPECT_EQ(vapgen({"resave", dir / "m.vap", dir / "out.vap"}).code, 0);
         run = vapgen({"check", dir / "out.vap"});
         return std::string();
     },
     0, "", nullptr},
    {"FileNameNotUtf8",
     [](const fs::path& dir, Outcome& run) {
         EXPECT_EQ(mkfifo((dir / "f\x9B").c_str(), 0600), 0);
         run = vapgen({"check", dir / "f\x9B"});
         return std::string();
     },
     1, "f\\x9B is not a regular file", nullptr},
    {"DateThatIsNot",
     [](const fs::path& dir, Outcome& run) {
         writeBytes(dir / "a.vap", design);
         run = vapgen({"class", dir / "a.vap", "--date", "2024-02-30"});
         EXPECT_EQ(vapgen({"class", dir / "a.vap", "--date", "2024-02-29"}).code, 0);
         return std::string();
     },
     2, "'2024-02-30' is not a date", nullptr},
    {"YearBefore1000",
     [](const fs::path& dir, Outcome& run) {
         writeBytes(dir / "a.vap", design);
         run = vapgen({"class", dir / "a.vap", "--date", "0099-01-01"});
         return std::string();
     },
     2, "--date takes a year from 1000 to 9999, not 99", nullptr},
};

class FileFault : public testing::TestWithParam<Case> {};

TEST_P(FileFault, IsRefusedShortlyAndLosesNothing) {
    const Case& c = GetParam();
    vaptest::TempDir dir;
    Outcome run;
    if (std::string why = c.act(dir.path(), run); !why.empty())
        GTEST_SKIP() << why;
    EXPECT_EQ(run.code, c.code) << run.err;
    if (!c.message.empty()) {
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
    if (c.check)
        c.check(dir.path(), run);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileFault, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
