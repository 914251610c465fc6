#include "ioerror.h"

#include <cerrno>

namespace vap {

std::string ioErrorMessage(IoError error) {
    switch (error) {
    case IoError::FileNotFound:
        return "File not found";
    case IoError::InvalidFilename:
        return "Invalid filename";
    case IoError::TooManyOpenFiles:
        return "Too many open files";
    case IoError::FileAccessDenied:
        return "File access denied";
    case IoError::ReadBeyondEnd:
        return "Read beyond end of file";
    case IoError::DiskFull:
        return "Disk full";
    case IoError::InvalidNumericInput:
        return "Invalid numeric input";
    }
    return "I/O error " + std::to_string(static_cast<int>(error));
}

std::string ioErrorMessageFromErrno(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return ioErrorMessage(IoError::FileNotFound);
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return ioErrorMessage(IoError::InvalidFilename);
    case EMFILE:
    case ENFILE:
        return ioErrorMessage(IoError::TooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return ioErrorMessage(IoError::FileAccessDenied);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ioErrorMessage(IoError::DiskFull);
    default:
        // Other system errors keep their own number, clear of the named codes above.
        return "I/O error " + std::to_string(errnoValue);
    }
}

} // namespace vap
