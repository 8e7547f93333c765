#pragma once

// Writes small device-independent bitmap files for the loader's tests, field
// by field, so that each test can also break exactly one thing.

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

struct BmpFile {
    int32_t width = 0;
    int32_t height = 0; // negative: rows stored top-down
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t headerSize = 40;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> palette; // 0xRRGGBB
    std::vector<uint32_t> masks; // red, green, blue
    // Stored rows in file order, each padded to four bytes when written; a
    // run-length encoded file keeps its one stream as it is.
    std::vector<std::string> rows;
    // When set, the file header's pixel offset instead of the real one.
    int64_t dataOffset = -1;

    std::string Bytes() const;
};

// Packs palette indexes of 1, 4 or 8 bits into one row, high bits first.
std::string IndexRow(int bits, std::vector<uint8_t> const& indexes);
// 0xRRGGBB pixels as blue, green, red bytes.
std::string Row24(std::vector<uint32_t> const& pixels);
// Little-endian words of 16 or 32 bits.
std::string Row16(std::vector<uint16_t> const& values);
std::string Row32(std::vector<uint32_t> const& values);

}
