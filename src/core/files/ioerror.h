#pragma once

#include <string>

namespace vap {

/** The runtime's message for an input/output error code: 2 "File not found", 5 ..., 101 ... */
std::string ioErrorMessage(int code);

/** The runtime's input/output error code for a system errno value. */
int ioErrorCodeFromErrno(int errnoValue);

/** The message for a failed file operation that set errno. */
std::string ioErrorMessageFromErrno(int errnoValue);

} // namespace vap
