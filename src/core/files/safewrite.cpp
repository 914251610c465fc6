#include "safewrite.h"

#include "ioerror.h"
#include "safeplace.h"

#include "../model/error.h"
#include "../model/printable.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace vap {

namespace {

constexpr std::string_view siblingPrefix = ".vaporina-";
constexpr std::size_t siblingSuffixLength = 6;

[[noreturn]] void failWithErrno(int errnoValue) {
    throw Error(ioErrorMessageFromErrno(errnoValue));
}

/** Fails the step when the caller's fault asks for it. */
void faultPoint(const SaveFault& fault, SaveStep step) {
    if (fault) {
        if (int error = fault(step)) {
            errno = error;
            failWithErrno(error);
        }
    }
}

std::string procPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
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

std::string siblingName() {
    return std::string(siblingPrefix) + randomLetters(siblingSuffixLength);
}

/**
 * Removes what earlier saves of this user left in the folder when they were killed between
 * naming their new file and renaming it. A save holds a lock on its new file from its creation
 * to its end, so a file still locked belongs to a save in progress and stays.
 */
void removeLeftovers(int folder) {
    Descriptor listing(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* entries = listing.get() < 0 ? nullptr : fdopendir(listing.get());
    if (!entries)
        return; // a folder we may not list: its leftovers stay, the save goes on
    listing.release();
    while (const dirent* entry = readdir(entries)) {
        std::string_view name = entry->d_name;
        if (!name.starts_with(siblingPrefix) ||
            name.size() != siblingPrefix.size() + siblingSuffixLength)
            continue;
        struct stat named {};
        // Opening a device may act on it: only a plain file of ours is opened at all.
        if (fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(named.st_mode) || named.st_uid != geteuid())
            continue;
        int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        Descriptor file(openat(folder, entry->d_name, O_RDONLY | flags));
        if (file.get() < 0)
            file = Descriptor(openat(folder, entry->d_name, O_WRONLY | flags));
        struct stat opened {};
        if (file.get() < 0 || fstat(file.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            opened.st_uid != geteuid() || flock(file.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        if (fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            unlinkat(folder, entry->d_name, 0);
    }
    closedir(entries);
}

/** Gives the new file the old one's owner, group and extended attributes, as far as allowed. */
void keepOwnership(int fd, const std::string& oldFile, const struct stat& old) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0)
        (void)fchown(fd, static_cast<uid_t>(-1), old.st_gid); // a user may keep a group of theirs
    ssize_t size = llistxattr(oldFile.c_str(), nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(size));
    size = llistxattr(oldFile.c_str(), names.data(), names.size());
    for (std::size_t at = 0; size > 0 && at < static_cast<std::size_t>(size);) {
        const char* name = names.data() + at;
        at += std::string_view(name).size() + 1;
        ssize_t valueSize = lgetxattr(oldFile.c_str(), name, nullptr, 0);
        if (valueSize < 0)
            continue;
        std::vector<char> value(static_cast<std::size_t>(valueSize));
        valueSize = lgetxattr(oldFile.c_str(), name, value.data(), value.size());
        if (valueSize >= 0)
            (void)fsetxattr(fd, name, value.data(), static_cast<std::size_t>(valueSize), 0);
    }
}

/**
 * The new file beside the target. Where the file system allows, it has no name until it is
 * complete: a new target gets it directly, an existing one through a hidden name renamed over
 * it. Elsewhere it is a hidden file from the start, removed unless it was renamed into place.
 * It stays locked to the end, which tells a later save that it is no leftover.
 */
class SiblingFile {
public:
    SiblingFile(int folder, const SaveFault& fault) : folder_(folder), fault_(fault) {
        faultPoint(fault_, SaveStep::CreateSibling);
        file_ = Descriptor(openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
        for (int attempt = 0; file_.get() < 0 && attempt < 100; ++attempt) {
            std::string candidate = siblingName();
            file_ = Descriptor(
                openat(folder_, candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600));
            if (file_.get() >= 0)
                name_ = std::move(candidate);
            else if (errno != EEXIST)
                failWithErrno(errno);
        }
        if (file_.get() < 0)
            failWithErrno(EEXIST);
        lock_ = Descriptor(dup(file_.get()));
        if (lock_.get() < 0 || flock(lock_.get(), LOCK_EX) != 0)
            failWithErrno(errno);
    }
    ~SiblingFile() {
        if (!name_.empty() && !renamed_)
            unlinkat(folder_, name_.c_str(), 0);
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    void write(std::string_view bytes, mode_t mode, const std::optional<struct stat>& old,
               const std::string& oldFile) {
        faultPoint(fault_, SaveStep::Write);
        writeAll(file_.get(), bytes);
        if (old)
            keepOwnership(file_.get(), oldFile, *old);
        faultPoint(fault_, SaveStep::SetMode);
        if (fchmod(file_.get(), mode) != 0)
            failWithErrno(errno);
        faultPoint(fault_, SaveStep::Flush);
        if (fsync(file_.get()) != 0)
            failWithErrno(errno);
        faultPoint(fault_, SaveStep::Close);
        // The lock's duplicate keeps the file open and locked; this close reports late errors.
        if (close(file_.release()) != 0)
            failWithErrno(errno);
    }

    void moveTo(const std::string& target, bool replacing) {
        faultPoint(fault_, SaveStep::Rename);
        if (name_.empty()) {
            if (!replacing && linkUnnamed(target)) {
                renamed_ = true;
                return;
            }
            std::string candidate = siblingName();
            while (!linkUnnamed(candidate))
                candidate = siblingName();
            name_ = std::move(candidate);
        }
        if (renameat(folder_, name_.c_str(), folder_, target.c_str()) != 0)
            failWithErrno(errno);
        renamed_ = true;
    }

private:
    /** Gives the unnamed file the name; false when the name is taken. */
    bool linkUnnamed(const std::string& name) {
        if (linkat(AT_FDCWD, procPath(lock_.get()).c_str(), folder_, name.c_str(),
                   AT_SYMLINK_FOLLOW) == 0 ||
            linkat(lock_.get(), "", folder_, name.c_str(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno != EEXIST)
            failWithErrno(errno);
        return false;
    }

    int folder_;
    const SaveFault& fault_;
    Descriptor file_;
    Descriptor lock_;
    std::string name_; // the file's name in the folder while it has one of its own
    bool renamed_ = false;
};

} // namespace

namespace {

/**
 * Another user's file in a shared folder is theirs to replace, not ours, even where the
 * system would let a privileged user do it.
 */
bool othersFileInSharedFolder(const SafeFolder& folder, const struct stat& file) {
    return folder.shared() && file.st_uid != geteuid();
}

void writeInFolder(const SafeFolder& target, const std::string& name, std::string_view bytes,
                   const SaveFault& fault, const std::string& shownPath) {
    int folder = target.descriptor();
    mode_t mode = 0666 & ~currentUmask();
    faultPoint(fault, SaveStep::CheckTarget);
    std::optional<struct stat> old;
    struct stat existing {};
    if (fstatat(folder, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        // Write permission is judged by the file's own bits too: a privileged user must not
        // silently replace a file that was marked read-only.
        bool readOnly = (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
        if (S_ISDIR(existing.st_mode))
            failWithErrno(EACCES);
        // A device, a pipe or a socket would be replaced by a plain file, not written to.
        if (!S_ISREG(existing.st_mode))
            throw Error(printablePath(shownPath) + " is not a regular file");
        if (readOnly || othersFileInSharedFolder(target, existing) ||
            faccessat(folder, name.c_str(), W_OK, 0) != 0)
            failWithErrno(EACCES);
        mode = existing.st_mode & 07777;
        old = existing;
    } else if (errno != ENOENT) {
        failWithErrno(errno);
    }
    removeLeftovers(folder);
    SiblingFile sibling(folder, fault);
    sibling.write(bytes, mode, old, procPath(folder) + "/" + name);
    sibling.moveTo(name, old.has_value());
    Descriptor durable(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (durable.get() >= 0)
        fsync(durable.get()); // the rename is durable once the folder is; a failure loses nothing
}

} // namespace

void writeFileAtomically(const std::string& path, std::string_view bytes, const SaveFault& fault) {
    if (path.empty() || path.back() == '/')
        failWithErrno(EINVAL);
    SafeTarget target = locateSafeTarget(path);
    writeInFolder(target.folder, target.name, bytes, fault, path);
}

void writeFileAtomically(const SafeFolder& folder, const std::string& name, std::string_view bytes,
                         const SaveFault& fault) {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        failWithErrno(EINVAL);
    writeInFolder(folder, name, bytes, fault, folder.pathOf(name));
}

} // namespace vap
