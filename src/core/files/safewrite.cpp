#include "safewrite.h"

#include "ioerror.h"

#include "../model/error.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

/** Follows a symbolic link, so that saving through it replaces the file and keeps the link. */
std::string resolveLink(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string folderOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

mode_t currentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
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

/** The new file beside the target; removed unless it was renamed into place. */
class SiblingFile {
public:
    explicit SiblingFile(const std::string& target)
        : path_(folderOf(target) + "/." + fileNameOf(target) + ".XXXXXX") {
        faultPoint(SaveStep::CreateSibling);
        fd_ = mkstemp(path_.data());
        if (fd_ < 0 && errno == ENOENT)
            throw Error(ioErrorMessage(3)); // the folder is missing: the path is not valid
        if (fd_ < 0)
            failWithErrno(errno);
    }
    ~SiblingFile() {
        if (fd_ >= 0)
            close(fd_);
        if (!renamed_)
            unlink(path_.c_str());
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    void write(std::string_view bytes, mode_t mode) {
        writeAll(fd_, bytes);
        faultPoint(SaveStep::SetMode);
        if (fchmod(fd_, mode) != 0)
            failWithErrno(errno);
        faultPoint(SaveStep::Flush);
        if (fsync(fd_) != 0)
            failWithErrno(errno);
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
    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};

} // namespace

void setSaveFaultForTesting(std::function<int(SaveStep)> fault) {
    injectedFault() = std::move(fault);
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty() || path.back() == '/')
        failWithErrno(EINVAL);
    std::string target = resolveLink(path);
    mode_t mode = 0666 & ~currentUmask();
    faultPoint(SaveStep::CheckTarget);
    struct stat existing {};
    if (stat(target.c_str(), &existing) == 0) {
        // Write permission is judged by the file's own bits too: a privileged user must not
        // silently replace a file that was marked read-only.
        bool readOnly = (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
        if (S_ISDIR(existing.st_mode) || readOnly || access(target.c_str(), W_OK) != 0)
            failWithErrno(EACCES);
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        failWithErrno(errno);
    }
    SiblingFile sibling(target);
    sibling.write(bytes, mode);
    sibling.renameTo(target);
    int folder = open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder); // the rename is durable once the folder is; a failure here loses nothing
        close(folder);
    }
}

} // namespace vap
