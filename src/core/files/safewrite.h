#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vap {

/**
 * Writes the bytes to the path safely: a new file beside it is written, flushed and renamed over
 * the target in one step, so a failure at any point leaves the old file as it was. An existing
 * target without write permission is not replaced. Throws vap::Error with the message of the failed
 * step.
 */
void writeFileAtomically(const std::string& path, std::string_view bytes);

/** The file operations of a safe write, in the order they run. */
enum class SaveStep { CheckTarget, CreateSibling, Write, SetMode, Flush, Close, Rename };

/**
 * Makes a step fail as if the system had refused it with the returned errno (0: no fault), so
 * that tests can show that every failure leaves the old file intact. Nothing sets it otherwise.
 */
void setSaveFaultForTesting(std::function<int(SaveStep)> fault);

} // namespace vap
