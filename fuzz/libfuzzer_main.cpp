#include "fuzz_designfile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return vapFuzzDesignFile(data, size);
}
