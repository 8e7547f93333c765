#pragma once

// Icon files made in the test itself: chosen entries, depths and pixels, and
// headers or offsets broken on purpose.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct IconEntry {
    uint8_t width = 0;
    uint8_t height = 0;
    uint16_t bitsPerPixel = 32;
    // 0xAARRGGBB, top row first; missing pixels are 0. Written only for 32 bits.
    std::vector<uint32_t> pixels;
    // What the image data's header says its own size is.
    uint32_t headerSize = 40;
    // Where the directory says the image data lie; by default where they are written.
    std::optional<uint32_t> offset;
};

// Every pixel `color`.
IconEntry SolidEntry(uint8_t size, uint32_t color);

struct IconFile {
    explicit IconFile(std::vector<IconEntry> images = {}) : entries(std::move(images)) { }

    std::vector<IconEntry> entries;
    uint16_t reserved = 0;
    uint16_t type = 1;
    // The image count the header gives; by default the number of entries.
    std::optional<uint16_t> count;

    std::string Bytes() const;
};

}
