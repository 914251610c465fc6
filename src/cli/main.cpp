#include "vapgen.h"

#include "core/files/ioerror.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    // A closed standard stream is held by a read-only /dev/null, so that no file the command
    // opens takes its number, and writing the output fails as it should.
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDONLY) != fd)
            return 1;
    }
    std::setlocale(LC_ALL, ""); // month names follow the user's time locale
    std::vector<std::string> arguments(argv + 1, argv + argc);
    int code = vap::runVapgen(arguments, std::cout, std::cerr);
    // The last buffered bytes reach the file only now; their failure fails the command.
    errno = 0;
    if (std::fflush(stdout) != 0 || std::fclose(stdout) != 0) {
        if (code == 0) {
            std::cerr << "vapgen: " << vap::ioErrorMessageFromErrno(errno) << "\n";
            code = 1;
        }
    }
    return code;
}
