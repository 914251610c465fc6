#include "ioerror.h"

#include <cerrno>

namespace vap {

std::string ioErrorMessage(int code) {
    switch (code) {
    case 2:
        return "File not found";
    case 3:
        return "Invalid filename";
    case 4:
        return "Too many open files";
    case 5:
        return "File access denied";
    case 100:
        return "Read beyond end of file";
    case 101:
        return "Disk full";
    case 106:
        return "Invalid numeric input";
    default:
        return "I/O error " + std::to_string(code);
    }
}

std::string ioErrorMessageFromErrno(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return ioErrorMessage(2);
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
        return ioErrorMessage(3);
    case EMFILE:
    case ENFILE:
        return ioErrorMessage(4);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
    case EBUSY:
        return ioErrorMessage(5);
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ioErrorMessage(101);
    default:
        // Other system errors keep their own number, clear of the runtime's codes above.
        return "I/O error " + std::to_string(errnoValue);
    }
}

} // namespace vap
