#pragma once

// The numbers behind a gauge: a byte count in a readable unit, and how full
// a bar is.

#include <cstdint>
#include <string_view>

namespace panel {

struct ByteCount {
    float number = 0;
    std::u16string_view unit; // "Bytes", "KB", "MB", "GB", "TB" or "?"
};

// At most 1048576 of a unit before the next one is taken; bits shifted out are lost.
ByteCount FormatByteCount(uint64_t value);

// part / total in 1/1024, truncated; 0 for a total of 0. Counts are first
// brought below 2^22 together, so large ones lose their low bits.
uint32_t FillFraction(uint64_t part, uint64_t total);

}
