#include "safeplace.h"

#include "ioerror.h"

#include "../model/error.h"
#include "../model/printable.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/random.h>
#include <sys/stat.h>
#include <vector>

namespace vap {

namespace {

[[noreturn]] void failWithErrno(int errnoValue) {
    throw Error(ioErrorMessageFromErrno(errnoValue));
}

std::string shown(std::string_view path) {
    return printablePath(path);
}

bool trustedOwner(uid_t owner) {
    return owner == geteuid() || owner == 0;
}

bool othersMayWrite(const struct stat& folder) {
    return (folder.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

bool sticky(const struct stat& folder) {
    return (folder.st_mode & S_ISVTX) != 0;
}

/** Why no one should write in the folder, or nothing when it is safe. */
std::optional<std::string> unsafeBecause(const struct stat& folder) {
    // A sticky folder's owner may still move what others keep in it.
    if (!trustedOwner(folder.st_uid))
        return "another user owns it";
    if (othersMayWrite(folder) && !sticky(folder))
        return "other users may write in it";
    return std::nullopt;
}

struct stat statOf(int fd) {
    struct stat info {};
    if (fstat(fd, &info) != 0)
        failWithErrno(errno);
    return info;
}

std::deque<std::string> partsOf(std::string_view path) {
    std::deque<std::string> parts;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t slash = std::min(path.find('/', start), path.size());
        parts.emplace_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

std::string currentFolder() {
    std::vector<char> buffer(PATH_MAX + 1);
    if (!getcwd(buffer.data(), buffer.size()))
        failWithErrno(errno);
    return buffer.data();
}

std::string joined(const std::string& folder, std::string_view name) {
    return folder.ends_with('/') ? folder + std::string(name) : folder + "/" + std::string(name);
}

} // namespace

SafeFolder::SafeFolder(Descriptor folder, std::string path, bool shared)
    : folder_(std::move(folder)), path_(std::move(path)), shared_(shared) {}

std::string SafeFolder::pathOf(std::string_view name) const {
    return joined(path_, name);
}

/**
 * Walks a path one part at a time from the root without letting the system follow any link by
 * itself, checking every folder it opens: the rule for links in shared folders then holds for
 * every link on the way, not only the last, and no folder is made below one that failed.
 */
class SafeWalk {
public:
    SafeWalk(const std::string& path, MissingFolders missing, mode_t mode)
        : path_(path), missing_(missing), mode_(mode) {}

    SafeFolder toFolder() {
        walk(false);
        return finished();
    }

    SafeTarget toFile() {
        std::string name = walk(true);
        return {finished(), std::move(name)};
    }

    static SafeFolder checked(Descriptor folder, std::string path) {
        struct stat info = statOf(folder.get());
        if (std::optional<std::string> why = unsafeBecause(info))
            throw Error(shown(path) + " is not safe to write in: " + *why);
        bool shared = othersMayWrite(info);
        return SafeFolder(std::move(folder), std::move(path), shared);
    }

private:
    /** Whether the kernel's rule for links in shared folders lets this process follow it. */
    bool mayFollow(const struct stat& link) const {
        return !(folderShared_ && sticky(folderInfo_)) || link.st_uid == geteuid() ||
               link.st_uid == folderInfo_.st_uid;
    }

    void enter(Descriptor folder, std::string path) {
        SafeFolder checkedFolder = checked(std::move(folder), std::move(path));
        folderInfo_ = statOf(checkedFolder.descriptor());
        folderShared_ = checkedFolder.shared();
        folderPath_ = checkedFolder.path_;
        folder_ = std::move(checkedFolder.folder_);
    }

    void enterRoot() {
        Descriptor root(open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (!root.valid())
            failWithErrno(errno);
        enter(std::move(root), "/");
    }

    /** Follows the walk to its end; for a file, gives its name in the last folder. */
    std::string walk(bool toFile) {
        if (path_.empty())
            failWithErrno(ENOENT);
        std::deque<std::string> parts =
            partsOf(path_.front() == '/' ? path_ : joined(currentFolder(), path_));
        enterRoot();
        bool lastCameFromLink = false;
        for (int hops = 0; !parts.empty();) {
            std::string part = std::move(parts.front());
            parts.pop_front();
            bool last = parts.empty();
            if (part.empty() || part == ".") {
                if (last && toFile)
                    failWithErrno(EISDIR);
                continue;
            }
            struct stat info {};
            if (fstatat(folder_.get(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
                if (errno != ENOENT)
                    failWithErrno(errno);
                if (last && toFile) {
                    if (lastCameFromLink)
                        throw Error(shown(path_) + " is a link to a missing file");
                    return part;
                }
                if (missing_ == MissingFolders::Refuse)
                    throw Error(ioErrorMessage(IoError::InvalidFilename)); // a missing folder
                if (mkdirat(folder_.get(), part.c_str(), mode_) != 0 && errno != EEXIST)
                    failWithErrno(errno);
            } else if (S_ISLNK(info.st_mode)) {
                if (++hops > 40)
                    failWithErrno(ELOOP);
                if (!mayFollow(info))
                    failWithErrno(EACCES);
                std::vector<char> buffer(PATH_MAX + 1);
                ssize_t length = readlinkat(folder_.get(), part.c_str(), buffer.data(), PATH_MAX);
                if (length <= 0)
                    failWithErrno(length < 0 ? errno : ENOENT);
                std::string_view next(buffer.data(), static_cast<std::size_t>(length));
                std::deque<std::string> linked = partsOf(next);
                parts.insert(parts.begin(), linked.begin(), linked.end());
                lastCameFromLink = last;
                if (next.front() == '/')
                    enterRoot();
                continue;
            } else if (last && toFile) {
                return part;
            }
            // Without following: a link swapped in since the check is refused, not followed.
            Descriptor inner(
                openat(folder_.get(), part.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
            if (!inner.valid())
                failWithErrno(errno == ENOENT ? EINVAL : errno);
            enter(std::move(inner), joined(folderPath_, part));
        }
        if (toFile)
            failWithErrno(EISDIR);
        return {};
    }

    SafeFolder finished() {
        return SafeFolder(std::move(folder_), std::move(folderPath_), folderShared_);
    }

    const std::string& path_;
    MissingFolders missing_;
    mode_t mode_;
    Descriptor folder_;
    std::string folderPath_;
    struct stat folderInfo_ {};
    bool folderShared_ = false;
};

SafeFolder openSafeFolder(const std::string& path, MissingFolders missing, mode_t mode) {
    return SafeWalk(path, missing, mode).toFolder();
}

SafeTarget locateSafeTarget(const std::string& path) {
    return SafeWalk(path, MissingFolders::Refuse, 0).toFile();
}

SafeFolder openPrivateFolder(const SafeFolder& parent, const std::string& name) {
    const std::string path = parent.pathOf(name);
    if (mkdirat(parent.descriptor(), name.c_str(), 0700) != 0 && errno != EEXIST)
        failWithErrno(errno);
    Descriptor folder(
        openat(parent.descriptor(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.valid()) {
        if (errno == ENOTDIR || errno == ELOOP)
            throw Error(shown(path) + " is not used: it is not a folder");
        failWithErrno(errno);
    }
    struct stat info = statOf(folder.get());
    if (info.st_uid != geteuid())
        throw Error(shown(path) + " is not used: another user owns it");
    if ((info.st_mode & 077) != 0) {
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(info.st_mode & 07777));
        throw Error(shown(path) + " is not used: other users may open it (mode " + mode + ")");
    }
    return SafeWalk::checked(std::move(folder), path);
}

MadeFolder makePrivateFolder(const SafeFolder& parent, std::string_view prefix) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = std::string(prefix) + randomLetters();
        if (mkdirat(parent.descriptor(), name.c_str(), 0700) == 0)
            return {openPrivateFolder(parent, name), name};
        if (errno != EEXIST)
            failWithErrno(errno);
    }
    failWithErrno(EEXIST);
}

bool holdsOwnFile(const SafeFolder& folder, const std::string& name) {
    struct stat info {};
    return fstatat(folder.descriptor(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
           S_ISREG(info.st_mode) && info.st_uid == geteuid();
}

void removeFileIn(const SafeFolder& folder, const std::string& name) {
    if (unlinkat(folder.descriptor(), name.c_str(), 0) != 0 && errno != ENOENT)
        failWithErrno(errno);
}

namespace {

constexpr int deepestTreeRemoved = 64;

bool removeTree(int parent, const char* name, int depth) {
    Descriptor folder(openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.valid())
        return errno == ENOENT;
    struct stat info {};
    if (fstat(folder.get(), &info) != 0 || info.st_uid != geteuid())
        return false; // only the user's own folders are emptied
    Descriptor listing(dup(folder.get()));
    DIR* entries = listing.valid() ? fdopendir(listing.get()) : nullptr;
    if (entries) {
        listing.release();
        while (const dirent* entry = readdir(entries)) {
            std::string_view entryName = entry->d_name;
            if (entryName == "." || entryName == "..")
                continue;
            if (fstatat(folder.get(), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            if (S_ISDIR(info.st_mode)) {
                if (depth < deepestTreeRemoved)
                    removeTree(folder.get(), entry->d_name, depth + 1);
            } else {
                unlinkat(folder.get(), entry->d_name, 0);
            }
        }
        closedir(entries);
    }
    // A link swapped in for the folder meanwhile is no folder: this removes nothing then.
    return unlinkat(parent, name, AT_REMOVEDIR) == 0 || errno == ENOENT;
}

} // namespace

bool removeTreeIn(const SafeFolder& folder, const std::string& name) {
    return removeTree(folder.descriptor(), name.c_str(), 0);
}

SafeFolder openRuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') {
        try {
            SafeFolder folder = openSafeFolder(runtime);
            struct stat info = statOf(folder.descriptor());
            if (info.st_uid == geteuid() && (info.st_mode & 077) == 0)
                return folder;
        } catch (const Error&) {
            // Not the user's own: the temporary folder serves, as without one.
        }
    }
    const char* temporary = std::getenv("TMPDIR");
    return openSafeFolder(temporary && temporary[0] == '/' ? temporary : "/tmp");
}

std::string randomLetters(std::size_t count) {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::vector<unsigned char> bytes(count);
    if (getrandom(bytes.data(), count, 0) != static_cast<ssize_t>(count))
        failWithErrno(errno);
    std::string text;
    for (unsigned char byte : bytes)
        text += letters[byte % (sizeof letters - 1)];
    return text;
}

} // namespace vap
