#pragma once

#include <cstddef>
#include <cstdint>

/** Runs one input through the design-file reader and its checks; aborts on a fault. */
int vapFuzzDesignFile(const std::uint8_t* data, std::size_t size);
