#pragma once

#include <string>

namespace vap {

/** The input/output errors the user is told of by name, with the codes the messages carry. */
enum class IoError {
    FileNotFound = 2,
    InvalidFilename = 3,
    TooManyOpenFiles = 4,
    FileAccessDenied = 5,
    ReadBeyondEnd = 100,
    DiskFull = 101,
    InvalidNumericInput = 106,
};

/** "File not found", "Disk full" and so on. */
std::string ioErrorMessage(IoError error);

/** The message for a failed file operation, from the errno it set. */
std::string ioErrorMessageFromErrno(int errnoValue);

} // namespace vap
