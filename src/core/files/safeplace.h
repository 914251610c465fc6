#pragma once

#include "descriptor.h"

#include <string>
#include <string_view>
#include <sys/types.h>

namespace vap {

/**
 * A folder held open that no other user can change: it and every folder above it belong to
 * the user or to root and no one else may write in them, unless they are sticky. Everything
 * the program writes, creates or deletes is named relative to such a folder, so a link or a
 * folder swapped in after the check changes nothing.
 */
class SafeFolder {
public:
    int descriptor() const { return folder_.get(); }
    /** The path it was reached by, for messages only: it is never looked up again. */
    const std::string& path() const { return path_; }
    std::string pathOf(std::string_view name) const;
    /** Whether other users may create files in it (a sticky folder such as /tmp). */
    bool shared() const { return shared_; }

private:
    friend class SafeWalk;
    SafeFolder(Descriptor folder, std::string path, bool shared);

    Descriptor folder_;
    std::string path_;
    bool shared_;
};

enum class MissingFolders { Refuse, Make };

/**
 * Opens the folder at the path, checking each folder on the way, those reached through links
 * too. A link in a shared folder is followed only when it is the user's or the folder owner's,
 * as the kernel's rule for such links has it. With MissingFolders::Make, missing folders are
 * made with the mode (less the umask), each only after the folders above it passed. Throws
 * vap::Error naming the folder that failed and why.
 */
SafeFolder openSafeFolder(const std::string& path, MissingFolders missing = MissingFolders::Refuse,
                          mode_t mode = 0777);

/** The folder a file at the path lies in, checked as above, and the file's name in it. */
struct SafeTarget {
    SafeFolder folder;
    std::string name;
};

/**
 * Where a file at the path is written: a link as the last part is followed (under the rule
 * above) and one that leads nowhere is refused rather than replaced by a file.
 */
SafeTarget locateSafeTarget(const std::string& path);

/**
 * The program's own folder in the parent, made readable by the user alone when missing. One
 * that another user owns, that others may open, or that is not a folder is refused with the
 * reason and left as it is.
 */
SafeFolder openPrivateFolder(const SafeFolder& parent, const std::string& name);

/** A folder made by makePrivateFolder, and its name in the parent. */
struct MadeFolder {
    SafeFolder folder;
    std::string name;
};

/** A new private folder in the parent, named the prefix and six random letters. */
MadeFolder makePrivateFolder(const SafeFolder& parent, std::string_view prefix);

/** Whether the folder holds a plain file of the user's by that name; a link is none. */
bool holdsOwnFile(const SafeFolder& folder, const std::string& name);

/** Removes the file, when there is one; throws vap::Error with the reason. */
void removeFileIn(const SafeFolder& folder, const std::string& name);

/**
 * Removes the folder of that name with all it holds, following no link; what cannot be
 * removed stays. Returns whether the folder is gone.
 */
bool removeTreeIn(const SafeFolder& folder, const std::string& name);

/**
 * The user's runtime folder (`$XDG_RUNTIME_DIR`, when it is the user's own and private), else
 * the temporary folder (`$TMPDIR`, else /tmp) when that is safe. Throws vap::Error naming the
 * folder and why when neither is.
 */
SafeFolder openRuntimeFolder();

/** Six letters and digits from the kernel's random source, for names no one can guess. */
std::string randomLetters(std::size_t count = 6);

} // namespace vap
