#include "tests/support/IconWriter.h"

#include <algorithm>

namespace testing_support {

namespace {

void Put(std::string& bytes, uint32_t value, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        bytes += char(value >> (8 * i) & 0xFF);
}

void PutAt(std::string& bytes, size_t at, uint32_t value, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        bytes[at + i] = char(value >> (8 * i) & 0xFF);
}

// Header, pixels bottom row first, and the 1-bit mask the reader skips.
std::string ImageData(IconEntry const& entry)
{
    std::string data;
    Put(data, entry.headerSize, 4);
    Put(data, entry.width, 4);
    Put(data, uint32_t(entry.height) * 2, 4);
    Put(data, 1, 2);
    Put(data, entry.bitsPerPixel, 2);
    // Headers too large to write are only claimed.
    data.resize(entry.headerSize <= 1024 ? std::max<size_t>(entry.headerSize, 4) : 40, '\0');
    size_t const rowBytes = (size_t(entry.width) * entry.bitsPerPixel + 31) / 32 * 4;
    for (size_t row = entry.height; row-- > 0;) {
        if (entry.bitsPerPixel != 32) {
            data.append(rowBytes, '\x7F');
            continue;
        }
        for (size_t column = 0; column < entry.width; ++column) {
            size_t const index = row * entry.width + column;
            Put(data, index < entry.pixels.size() ? entry.pixels[index] : 0, 4);
        }
    }
    data.append((size_t(entry.width) + 31) / 32 * 4 * entry.height, '\0');
    return data;
}

}

IconEntry SolidEntry(uint8_t size, uint32_t color)
{
    IconEntry entry;
    entry.width = size;
    entry.height = size;
    entry.pixels.assign(size_t(size) * size, color);
    return entry;
}

std::string IconFile::Bytes() const
{
    std::string bytes;
    Put(bytes, reserved, 2);
    Put(bytes, type, 2);
    Put(bytes, count.value_or(uint16_t(entries.size())), 2);
    size_t const directory = bytes.size();
    bytes.resize(directory + 16 * entries.size(), '\0');
    for (size_t i = 0; i < entries.size(); ++i) {
        IconEntry const& entry = entries[i];
        std::string const data = ImageData(entry);
        size_t const at = directory + 16 * i;
        PutAt(bytes, at, entry.width, 1);
        PutAt(bytes, at + 1, entry.height, 1);
        PutAt(bytes, at + 4, 1, 2);
        PutAt(bytes, at + 6, entry.bitsPerPixel, 2);
        PutAt(bytes, at + 8, uint32_t(data.size()), 4);
        PutAt(bytes, at + 12, entry.offset.value_or(uint32_t(bytes.size())), 4);
        bytes += data;
    }
    return bytes;
}

}
