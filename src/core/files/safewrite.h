#pragma once

#include <string>
#include <string_view>

namespace vap {

/**
 * Writes the bytes to the path safely: a new file beside it is written, flushed and renamed over
 * the target in one step, so a failure at any point leaves the old file as it was. An existing
 * target without write permission is not replaced. Throws vap::Error with the runtime's message.
 */
void writeFileAtomically(const std::string& path, std::string_view bytes);

} // namespace vap
