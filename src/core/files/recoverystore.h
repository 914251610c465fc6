#pragma once

#include "descriptor.h"
#include "designfile.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vap {

class SafeFolder;

/** How the run that left a copy ended: otherwise than normally, or normally with changes unsaved.
 */
enum class LeftBy { Crash, Exit };

/**
 * A copy that a run which has ended left behind, held by this run: while it is held, no other
 * run offers or removes it. Let go without a decision, it stays for a later start.
 */
class LeftCopy {
public:
    LeftBy leftBy() const { return leftBy_; }
    const std::string& name() const { return name_; }

private:
    friend class RecoveryStore;
    LeftCopy(std::string stem, std::string name, LeftBy leftBy, Descriptor lock)
        : stem_(std::move(stem)), name_(std::move(name)), leftBy_(leftBy), lock_(std::move(lock)) {}

    std::string stem_;
    std::string name_;
    LeftBy leftBy_;
    Descriptor lock_;
};

/**
 * The recovery copies of one program, in its own private folder `vaporina` in the state folder.
 * Each run writes under names of its own (`PROGRAM.recovery-XXXXXX.vap`) and holds a lock file
 * beside them (`….lock`) for as long as it runs. The kernel drops the lock with the process, so
 * a copy whose lock is free was left by a run that has ended, and a copy whose lock is held
 * belongs to a run still going: that one is never offered nor removed. Every file is created,
 * renamed and removed relative to the opened folder. Errors throw vap::Error with the reason.
 */
class RecoveryStore {
public:
    /** `program` is the program's file name: programs that run side by side keep apart. */
    RecoveryStore(std::string stateFolder, std::string program);
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // ---- this run's copies

    /**
     * Writes the design's bytes as this run's copy, in place of the one before; they are asked
     * for once the folder is ready.
     */
    void write(const std::function<std::string()>& bytes);
    /** The design is in a file now: this run's copy goes. */
    void removeCurrent();
    /**
     * The design is about to be replaced (Open, Clear): its copy stays until the run ends
     * normally, and the next write starts a copy of its own.
     */
    void keepCurrent();
    /**
     * A normal end: the copies kept by keepCurrent go; with `unsaved`, those bytes stay as a copy
     * left at exit, else this run leaves nothing. The locks go with it.
     */
    void finish(std::optional<std::string_view> unsaved);
    /** Where this run's copy is or will be written, for messages. */
    std::string currentPath() const;

    // ---- copies left by runs that have ended

    /** Every such copy, now held by this run, the newest first. */
    std::vector<LeftCopy> takeLeftCopies();
    /** Reads and checks the copy as Open checks a file. */
    DesignFile read(const LeftCopy& copy) const;
    /** Removes the copy. */
    void remove(LeftCopy copy);
    /**
     * Renames a copy that cannot be opened to NAME.bad (NAME.bad-2, … when taken: never over
     * another), so that it is not offered again; gives the new path, or nothing when it stayed.
     */
    std::optional<std::string> setAside(LeftCopy copy);
    /** The copy becomes this run's own, kept until this run's next write replaces it. */
    void adopt(LeftCopy copy);

private:
    /** A stem of this run's and the lock that makes it this run's. */
    struct Held {
        std::string stem;
        Descriptor lock;
    };

    /** The copies' folder; made when `make` is set, else nothing when it is not there. */
    std::optional<SafeFolder> folder(bool make) const;
    Held newStem(const SafeFolder& folder) const;
    /** Whether the lock file in the folder is still the one held (not removed by someone). */
    static bool stillHeld(const SafeFolder& folder, const Held& held);
    static void release(const SafeFolder* folder, Held& held);
    void writeCurrent(const SafeFolder& folder, const std::string& name, std::string_view bytes);

    std::string stateFolder_;
    std::string program_;
    std::optional<Held> current_;
    std::string currentName_; // the file of the current copy; empty when none is written
    std::vector<Held> kept_;
};

} // namespace vap
