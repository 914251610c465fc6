// Saving over an existing design when a file operation fails at any step, or the disk is full.
#include "core/files/designfile.h"
#include "core/files/safewrite.h"
#include "core/model/creation.h"
#include "core/model/design.h"
#include "core/support/errorof.h"
#include "core/support/tempdir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/mount.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using vap::SaveStep;
using vaptest::entriesOf;

const std::vector<std::pair<SaveStep, const char*>> allSteps{
    {SaveStep::CheckTarget, "CheckTarget"},
    {SaveStep::CreateSibling, "CreateSibling"},
    {SaveStep::Write, "Write"},
    {SaveStep::SetMode, "SetMode"},
    {SaveStep::Flush, "Flush"},
    {SaveStep::Close, "Close"},
    {SaveStep::Rename, "Rename"}};

std::string saveError(const vap::Design& design, const std::string& path) {
    return vaptest::errorOf([&] { vap::GravaJanela(design, path); });
}

void fillDesign(vap::Design& design) {
    design.setCaption("Cadastro");
    vap::CriaJLabel(design, true);
    vap::CriaJTextField(design, true);
    vap::CriaJButton(design, true);
}

TEST(SaveFault, EveryFailingStepKeepsTheOldFileAndLeavesNothingBehind) {
    struct ErrnoCase {
        int error;
        const char* message;
    };
    const std::vector<ErrnoCase> errors{
        {EIO, "I/O error 5"}, {ENOSPC, "Disk full"}, {EACCES, "File access denied"}};
    vap::Design design;
    fillDesign(design);
    const std::string oldBytes = "JAN:1:2:3:4:0\r\nold\r\n\r\n\r\n";
    int cases = 0;
    for (const auto& [failingStep, stepName] : allSteps) {
        for (const ErrnoCase& error : errors) {
            SCOPED_TRACE(std::string(stepName) + " fails with " + std::strerror(error.error));
            vaptest::TempDir dir;
            std::string path = dir.file("design.vap");
            vaptest::writeBytes(path, oldBytes);
            vap::SaveFault fault = [failingStep = failingStep, &error](SaveStep step) {
                return step == failingStep ? error.error : 0;
            };
            EXPECT_EQ(vaptest::errorOf([&] {
                          vap::writeFileAtomically(path, vap::serializeDesign(design), fault);
                      }),
                      error.message);
            EXPECT_EQ(vaptest::readBytes(path), oldBytes);
            EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"design.vap"});
            ++cases;
        }
    }
    EXPECT_EQ(cases, 21);
}

/** A small tmpfs mounted on a folder for the test's time. */
class SmallDisk {
public:
    explicit SmallDisk(const fs::path& folder) : folder_(folder) {
        fs::create_directory(folder_);
        if (mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
            error_ = errno;
    }
    ~SmallDisk() {
        if (mounted())
            umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return error_ == 0; }
    int error() const { return error_; }

private:
    fs::path folder_;
    int error_ = 0;
};

TEST(SaveFault, AFullDiskKeepsTheOldFile) {
    vaptest::TempDir dir;
    SmallDisk disk(dir.path() / "disk");
    if (!disk.mounted())
        GTEST_SKIP() << "cannot mount a 64 KiB tmpfs here (" << std::strerror(disk.error())
                     << "; it needs root and a mount namespace that allows it)";
    std::string path = (dir.path() / "disk" / "design.vap").string();

    vap::Design small;
    fillDesign(small);
    vap::GravaJanela(small, path);
    const std::string oldBytes = vaptest::readBytes(path);

    vap::Design big;
    for (int i = 0; i < 1500; ++i) {
        const vap::Control& control = vap::CriaJButton(big, true);
        big.setHint(control, std::string(40, 'h'));
    }
    ASSERT_GT(vap::serializeDesign(big).size(), 64u * 1024u);

    EXPECT_EQ(saveError(big, path), "Disk full");
    EXPECT_EQ(vaptest::readBytes(path), oldBytes);
    EXPECT_EQ(entriesOf(dir.path() / "disk"), std::vector<std::string>{"design.vap"});
}

} // namespace
