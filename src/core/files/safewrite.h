#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vap {

class SafeFolder;

/** The file operations of a safe write, in the order they run. */
enum class SaveStep { CheckTarget, CreateSibling, Write, SetMode, Flush, Close, Rename };

/**
 * Told of each step before it runs; a non-zero errno makes the step fail as if the system had
 * refused it. Tests pass one to show that every failure leaves the old file intact.
 */
using SaveFault = std::function<int(SaveStep)>;

/**
 * Writes the bytes to the path safely: a new file beside it is written, flushed and renamed over
 * the target in one step, so a failure at any point leaves the old file as it was. An existing
 * target without write permission is not replaced, nor another user's file in a shared folder.
 * The path is walked as openSafeFolder does: a folder another user could change is refused, and
 * every symbolic link on the path is followed only where the system would let this user follow
 * it. Throws vap::Error with the message of the failed step.
 */
void writeFileAtomically(const std::string& path, std::string_view bytes,
                         const SaveFault& fault = {});

/** The same for the file of that name in a folder already opened and checked. */
void writeFileAtomically(const SafeFolder& folder, const std::string& name, std::string_view bytes,
                         const SaveFault& fault = {});

} // namespace vap
