#include "vapgen.h"

#include <clocale>
#include <iostream>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, ""); // month names follow the user's time locale
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return vap::runVapgen(arguments, std::cout, std::cerr);
}
