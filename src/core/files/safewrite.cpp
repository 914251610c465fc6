#include "safewrite.h"

#include "ioerror.h"

#include "../model/error.h"
#include "../model/printable.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace vap {

namespace {

std::function<int(SaveStep)>& injectedFault() {
    static std::function<int(SaveStep)> fault;
    return fault;
}

/** Fails the step when a test asked for it. */
void faultPoint(SaveStep step) {
    if (injectedFault()) {
        if (int error = injectedFault()(step)) {
            errno = error;
            throw Error(ioErrorMessageFromErrno(error));
        }
    }
}

[[noreturn]] void failWithErrno(int errnoValue) {
    throw Error(ioErrorMessageFromErrno(errnoValue));
}

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

/**
 * Whether the kernel's protected-symlinks rule lets this process follow the link: in a sticky
 * folder that anyone may write, only a link of the process's own user or of the folder's owner.
 */
bool mayFollowLink(const std::string& link, const struct stat& linkInfo) {
    struct stat folder {};
    if (stat(folderOf(link).c_str(), &folder) != 0)
        return false;
    bool stickyShared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !stickyShared || linkInfo.st_uid == geteuid() || linkInfo.st_uid == folder.st_uid;
}

/**
 * The file a save to `path` replaces: a symbolic link is followed, so that the link stays and
 * its file gets the new bytes, but only where the system would let this user follow it. A link
 * to nothing is refused rather than replaced by a file.
 */
std::string resolveTarget(const std::string& path) {
    std::string current = path;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (lstat(current.c_str(), &info) != 0) {
            if (errno == ENOENT && hops > 0)
                throw Error(printableText(path) + " is a link to a missing file");
            return current;
        }
        if (!S_ISLNK(info.st_mode))
            return current;
        if (hops >= 40)
            failWithErrno(ELOOP);
        if (!mayFollowLink(current, info))
            failWithErrno(EACCES);
        std::vector<char> buffer(PATH_MAX + 1);
        ssize_t length = readlink(current.c_str(), buffer.data(), buffer.size() - 1);
        if (length < 0)
            failWithErrno(errno);
        std::string next(buffer.data(), static_cast<std::size_t>(length));
        current = next.front() == '/' ? next : folderOf(current) + "/" + next;
    }
}

/**
 * The process's file-creation mask, read from the kernel's status of the process: umask() reads
 * it only by setting it, which would change it for every thread for a moment.
 */
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("Umask:"))
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    }
    return 022; // a kernel too old to tell: the usual mask
}

void writeAll(int fd, std::string_view bytes) {
    faultPoint(SaveStep::Write);
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

std::string randomSuffix() {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[6] = {};
    if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes))
        failWithErrno(errno);
    std::string suffix;
    for (unsigned char byte : bytes)
        suffix += letters[byte % (sizeof letters - 1)];
    return suffix;
}

/** Gives the new file the old one's owner, group and extended attributes, as far as allowed. */
void keepOwnership(int fd, const std::string& oldFile, const struct stat& old) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)fchown(fd, static_cast<uid_t>(-1), old.st_gid); // a user may keep a group of theirs
    ssize_t size = listxattr(oldFile.c_str(), nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(size));
    size = listxattr(oldFile.c_str(), names.data(), names.size());
    for (std::size_t at = 0; size > 0 && at < static_cast<std::size_t>(size);) {
        const char* name = names.data() + at;
        at += std::string_view(name).size() + 1;
        ssize_t valueSize = getxattr(oldFile.c_str(), name, nullptr, 0);
        if (valueSize < 0)
            continue;
        std::vector<char> value(static_cast<std::size_t>(valueSize));
        valueSize = getxattr(oldFile.c_str(), name, value.data(), value.size());
        if (valueSize >= 0)
            (void)fsetxattr(fd, name, value.data(), static_cast<std::size_t>(valueSize), 0);
    }
}

/**
 * The new file beside the target. Where the file system allows, it has no name until it is
 * complete, so that a killed save leaves nothing behind; otherwise it is a hidden file, removed
 * unless it was renamed into place. Its short name leaves room for the longest target name.
 */
class SiblingFile {
public:
    explicit SiblingFile(const std::string& target) : folder_(folderOf(target)) {
        faultPoint(SaveStep::CreateSibling);
        fd_ = open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0)
            return;
        path_ = folder_ + "/.vaporina-XXXXXX";
        fd_ = mkstemp(path_.data());
        if (fd_ < 0 && errno == ENOENT)
            throw Error(ioErrorMessage(IoError::InvalidFilename)); // the folder is missing
        if (fd_ < 0)
            failWithErrno(errno);
        named_ = true;
    }
    ~SiblingFile() {
        if (fd_ >= 0)
            close(fd_);
        if (named_ && !renamed_)
            unlink(path_.c_str());
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    void write(std::string_view bytes, mode_t mode, const std::optional<struct stat>& old,
               const std::string& target) {
        writeAll(fd_, bytes);
        if (old)
            keepOwnership(fd_, target, *old);
        faultPoint(SaveStep::SetMode);
        if (fchmod(fd_, mode) != 0)
            failWithErrno(errno);
        faultPoint(SaveStep::Flush);
        if (fsync(fd_) != 0)
            failWithErrno(errno);
        if (!named_)
            giveName();
        faultPoint(SaveStep::Close);
        int fd = fd_;
        fd_ = -1;
        if (close(fd) != 0)
            failWithErrno(errno);
    }

    void renameTo(const std::string& target) {
        faultPoint(SaveStep::Rename);
        if (rename(path_.c_str(), target.c_str()) != 0)
            failWithErrno(errno);
        renamed_ = true;
    }

private:
    /** Links the complete unnamed file into the folder under a fresh hidden name. */
    void giveName() {
        std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string candidate = folder_ + "/.vaporina-" + randomSuffix();
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) ==
                    0 ||
                linkat(fd_, "", AT_FDCWD, candidate.c_str(), AT_EMPTY_PATH) == 0) {
                path_ = std::move(candidate);
                named_ = true;
                return;
            }
            if (errno != EEXIST)
                failWithErrno(errno);
        }
        failWithErrno(EEXIST);
    }

    std::string folder_;
    std::string path_;
    int fd_ = -1;
    bool named_ = false;
    bool renamed_ = false;
};

} // namespace

void setSaveFaultForTesting(std::function<int(SaveStep)> fault) {
    injectedFault() = std::move(fault);
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/')
        failWithErrno(EINVAL);
    std::string target = resolveTarget(path);
    mode_t mode = 0666 & ~currentUmask();
    faultPoint(SaveStep::CheckTarget);
    std::optional<struct stat> old;
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        // Write permission is judged by the file's own bits too: a privileged user must not
        // silently replace a file that was marked read-only.
        bool readOnly = (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
        if (S_ISDIR(existing.st_mode))
            failWithErrno(EACCES);
        // A device, a pipe or a socket would be replaced by a plain file, not written to.
        if (!S_ISREG(existing.st_mode))
            throw Error(printableText(path) + " is not a regular file");
        if (readOnly || access(target.c_str(), W_OK) != 0)
            failWithErrno(EACCES);
        mode = existing.st_mode & 07777;
        old = existing;
    } else if (errno != ENOENT) {
        failWithErrno(errno);
    }
    SiblingFile sibling(target);
    sibling.write(bytes, mode, old, target);
    sibling.renameTo(target);
    int folder = open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder); // the rename is durable once the folder is; a failure here loses nothing
        close(folder);
    }
}

} // namespace vap
