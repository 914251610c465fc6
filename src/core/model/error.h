#pragma once

#include <stdexcept>
#include <string>

namespace vap {

/** A failure of a user's command, carrying the exact text the error box shows. */
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace vap
