#include "startup.h"

int main(int argc, char** argv) {
    return vap::app::runVaporina(argc, argv);
}
