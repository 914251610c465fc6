#include "recoverystore.h"

#include "ioerror.h"
#include "safeplace.h"
#include "safewrite.h"

#include "../model/error.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <sys/stat.h>

namespace vap {

namespace {

const std::string ownFolderName = "vaporina";
constexpr std::string_view runningSuffix = ".vap";
constexpr std::string_view exitSuffix = ".exit.vap";
constexpr std::string_view lockSuffix = ".lock";

[[noreturn]] void failWithErrno(int errnoValue) {
    throw Error(ioErrorMessageFromErrno(errnoValue));
}

constexpr int lockFlags = O_RDWR | O_CREAT | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;

/** Opens, or makes, a lock file of the user's, never through a link. */
Descriptor openLock(const SafeFolder& folder, const std::string& name) {
    Descriptor lock(openat(folder.descriptor(), name.c_str(), lockFlags, 0600));
    if (!lock.valid())
        failWithErrno(errno);
    struct stat info {};
    if (fstat(lock.get(), &info) != 0)
        failWithErrno(errno);
    if (!S_ISREG(info.st_mode) || info.st_uid != geteuid())
        throw Error(folder.pathOf(name) + " is not used: another user owns it");
    return lock;
}

/** The lock of a stem when no running program holds it; nothing when one does. */
std::optional<Descriptor> claim(const SafeFolder& folder, const std::string& stem) {
    Descriptor lock = openLock(folder, stem + std::string(lockSuffix));
    if (flock(lock.get(), LOCK_EX | LOCK_NB) == 0)
        return lock;
    if (errno != EWOULDBLOCK)
        failWithErrno(errno);
    return std::nullopt;
}

std::vector<std::string> namesIn(const SafeFolder& folder) {
    Descriptor listing(openat(folder.descriptor(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    DIR* entries = listing.valid() ? fdopendir(listing.get()) : nullptr;
    if (!entries)
        failWithErrno(errno);
    listing.release(); // the listing owns it now
    std::vector<std::string> names;
    while (const dirent* entry = readdir(entries))
        names.emplace_back(entry->d_name);
    closedir(entries);
    return names;
}

/** When the file was last written, for the newest-first order; nothing when it is no file. */
std::optional<timespec> writtenAt(const SafeFolder& folder, const std::string& name) {
    struct stat info {};
    if (fstatat(folder.descriptor(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode) || info.st_uid != geteuid())
        return std::nullopt;
    return info.st_mtim;
}

bool later(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

void removeQuietly(const SafeFolder& folder, const std::string& name) {
    unlinkat(folder.descriptor(), name.c_str(), 0);
}

/**
 * The stem and the way of ending of a copy's file name, when it is one of the program's copies:
 * `PROGRAM.recovery[-LETTERS]` with `.vap` or `.exit.vap`.
 */
std::optional<std::pair<std::string, LeftBy>> parseCopyName(std::string_view name,
                                                            std::string_view program) {
    const std::string prefix = std::string(program) + ".recovery";
    if (!name.starts_with(prefix))
        return std::nullopt;
    std::string_view rest = name.substr(prefix.size());
    LeftBy leftBy = LeftBy::Crash;
    if (rest.ends_with(exitSuffix)) {
        leftBy = LeftBy::Exit;
        rest.remove_suffix(exitSuffix.size());
    } else if (rest.ends_with(runningSuffix)) {
        rest.remove_suffix(runningSuffix.size());
    } else {
        return std::nullopt;
    }
    auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    };
    // The copy of the single name older runs used, or one run's letters.
    if (!rest.empty() && (rest.size() < 2 || rest.front() != '-' ||
                          !std::all_of(rest.begin() + 1, rest.end(), letter)))
        return std::nullopt;
    return std::pair{prefix + std::string(rest), leftBy};
}

} // namespace

RecoveryStore::RecoveryStore(std::string stateFolder, std::string program)
    : stateFolder_(std::move(stateFolder)), program_(std::move(program)) {}

// The locks close with their descriptors and the files stay, as after a crash: a run that ends
// normally calls finish() first.
RecoveryStore::~RecoveryStore() = default;

std::optional<SafeFolder> RecoveryStore::folder(bool make) const {
    // The state folder is the user's: made private like the program's own when missing.
    SafeFolder state =
        openSafeFolder(stateFolder_, make ? MissingFolders::Make : MissingFolders::Refuse, 0700);
    struct stat info {};
    if (!make &&
        fstatat(state.descriptor(), ownFolderName.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 &&
        errno == ENOENT)
        return std::nullopt; // nothing to find, or to remove, where the folder was never made
    return openPrivateFolder(state, ownFolderName);
}

RecoveryStore::Held RecoveryStore::newStem(const SafeFolder& folder) const {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string stem = program_ + ".recovery-" + randomLetters();
        std::string name = stem + std::string(lockSuffix);
        Descriptor lock(openat(folder.descriptor(), name.c_str(), lockFlags | O_EXCL, 0600));
        if (!lock.valid() && errno == EEXIST)
            continue;
        if (!lock.valid() || flock(lock.get(), LOCK_EX | LOCK_NB) != 0)
            failWithErrno(errno);
        return Held{stem, std::move(lock)};
    }
    failWithErrno(EEXIST);
}

bool RecoveryStore::stillHeld(const SafeFolder& folder, const Held& held) {
    struct stat named {};
    struct stat mine {};
    return fstatat(folder.descriptor(), (held.stem + std::string(lockSuffix)).c_str(), &named,
                   AT_SYMLINK_NOFOLLOW) == 0 &&
           fstat(held.lock.get(), &mine) == 0 && named.st_ino == mine.st_ino &&
           named.st_dev == mine.st_dev;
}

void RecoveryStore::release(const SafeFolder* folder, Held& held) {
    // Removed while still locked, so that no other run takes it for a lock left behind.
    if (folder && stillHeld(*folder, held))
        removeQuietly(*folder, held.stem + std::string(lockSuffix));
    held.lock.reset();
}

void RecoveryStore::writeCurrent(const SafeFolder& folder, const std::string& name,
                                 std::string_view bytes) {
    writeFileAtomically(folder, name, bytes);
    if (!currentName_.empty() && currentName_ != name)
        removeFileIn(folder, currentName_);
    currentName_ = name;
}

void RecoveryStore::write(const std::function<std::string()>& bytes) {
    SafeFolder copies = *folder(true);
    // A folder made anew meanwhile no longer holds this run's lock: a new stem takes its place.
    if (current_ && !stillHeld(copies, *current_)) {
        current_.reset();
        currentName_.clear();
    }
    if (!current_)
        current_ = newStem(copies);
    writeCurrent(copies, current_->stem + std::string(runningSuffix), bytes());
}

void RecoveryStore::removeCurrent() {
    if (currentName_.empty())
        return;
    if (std::optional<SafeFolder> copies = folder(false))
        removeFileIn(*copies, currentName_);
    currentName_.clear();
}

void RecoveryStore::keepCurrent() {
    if (!current_ || currentName_.empty())
        return;
    kept_.push_back(std::move(*current_));
    current_.reset();
    currentName_.clear();
}

void RecoveryStore::finish(std::optional<std::string_view> unsaved) {
    std::optional<SafeFolder> copies;
    if (unsaved) {
        copies = folder(true);
        if (!current_)
            current_ = newStem(*copies);
        writeCurrent(*copies, current_->stem + std::string(exitSuffix), *unsaved);
        currentName_.clear(); // stays behind
    } else {
        try {
            copies = folder(false);
        } catch (const Error&) {
            // A folder that cannot be opened now holds nothing this run can remove.
        }
    }
    for (Held& kept : kept_) {
        if (copies) {
            removeQuietly(*copies, kept.stem + std::string(runningSuffix));
            removeQuietly(*copies, kept.stem + std::string(exitSuffix));
        }
        release(copies ? &*copies : nullptr, kept);
    }
    kept_.clear();
    if (current_) {
        if (copies && !currentName_.empty())
            removeQuietly(*copies, currentName_);
        release(copies ? &*copies : nullptr, *current_);
        current_.reset();
    }
    currentName_.clear();
}

std::string RecoveryStore::currentPath() const {
    std::string name = currentName_.empty() && current_
                           ? current_->stem + std::string(runningSuffix)
                           : currentName_;
    if (name.empty())
        name = program_ + ".recovery-XXXXXX" + std::string(runningSuffix);
    return stateFolder_ + "/" + ownFolderName + "/" + name;
}

std::vector<LeftCopy> RecoveryStore::takeLeftCopies() {
    std::optional<SafeFolder> copies = folder(false);
    if (!copies)
        return {};
    // A run that ended normally wrote its copy at exit before removing the running one: where
    // a stem has both, the copy at exit is the newer.
    std::map<std::string, std::pair<std::string, LeftBy>> newestOfStem;
    for (const std::string& name : namesIn(*copies)) {
        auto parsed = parseCopyName(name, program_);
        if (!parsed)
            continue;
        auto [stem, leftBy] = *parsed;
        auto found = newestOfStem.find(stem);
        if (found == newestOfStem.end() || leftBy == LeftBy::Exit)
            newestOfStem[stem] = {name, leftBy};
    }
    std::vector<std::pair<timespec, LeftCopy>> found;
    for (auto& [stem, copy] : newestOfStem) {
        std::optional<Descriptor> lock = claim(*copies, stem);
        if (!lock)
            continue; // its run is still going
        std::optional<timespec> written = writtenAt(*copies, copy.first);
        if (!written) { // gone meanwhile, or not a plain file of the user's
            Held held{stem, std::move(*lock)};
            release(&*copies, held);
            continue;
        }
        if (copy.second == LeftBy::Exit)
            removeQuietly(*copies, stem + std::string(runningSuffix));
        found.emplace_back(*written, LeftCopy(stem, copy.first, copy.second, std::move(*lock)));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return later(a.first, b.first); });
    std::vector<LeftCopy> left;
    for (auto& entry : found)
        left.push_back(std::move(entry.second));
    return left;
}

DesignFile RecoveryStore::read(const LeftCopy& copy) const {
    std::optional<SafeFolder> copies = folder(false);
    if (!copies)
        throw Error("File not found");
    return readDesignFileIn(*copies, copy.name_);
}

void RecoveryStore::remove(LeftCopy copy) {
    std::optional<SafeFolder> copies = folder(false);
    if (!copies)
        return;
    removeFileIn(*copies, copy.name_);
    Held held{copy.stem_, std::move(copy.lock_)};
    release(&*copies, held);
}

std::optional<std::string> RecoveryStore::setAside(LeftCopy copy) {
    std::optional<SafeFolder> copies = folder(false);
    if (!copies)
        return std::nullopt;
    for (int number = 1; number < 1000; ++number) {
        std::string aside = copy.name_ + ".bad" + (number > 1 ? "-" + std::to_string(number) : "");
        if (renameat2(copies->descriptor(), copy.name_.c_str(), copies->descriptor(), aside.c_str(),
                      RENAME_NOREPLACE) == 0) {
            Held held{copy.stem_, std::move(copy.lock_)};
            release(&*copies, held);
            return copies->pathOf(aside);
        }
        if (errno != EEXIST)
            break;
    }
    return std::nullopt; // left in place: offered again, and No removes it
}

void RecoveryStore::adopt(LeftCopy copy) {
    keepCurrent();
    if (current_) {
        std::optional<SafeFolder> copies;
        try {
            copies = folder(false);
        } catch (const Error&) {
        }
        release(copies ? &*copies : nullptr, *current_);
    }
    current_ = Held{copy.stem_, std::move(copy.lock_)};
    currentName_ = copy.name_;
    // From now on a crash, not an exit, would leave it.
    std::string running = copy.stem_ + std::string(runningSuffix);
    try {
        std::optional<SafeFolder> copies = folder(false);
        if (copies && currentName_ != running &&
            renameat2(copies->descriptor(), currentName_.c_str(), copies->descriptor(),
                      running.c_str(), RENAME_NOREPLACE) == 0)
            currentName_ = running;
    } catch (const Error&) {
        // Kept under the name it had.
    }
}

} // namespace vap
