#pragma once

#include <string>

namespace vap {

/** The runtime's message for an input/output error code: 2 "File not found", 5 ..., 101 ... */
std::string ioErrorMessage(int code);

/** The message for a failed file operation, from the errno it set. */
std::string ioErrorMessageFromErrno(int errnoValue);

} // namespace vap
