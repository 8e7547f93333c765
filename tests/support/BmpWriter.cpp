#include "tests/support/BmpWriter.h"

namespace testing_support {

namespace {

void Put16(std::string& out, uint32_t value)
{
    out.push_back(char(value & 0xFF));
    out.push_back(char((value >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

}

std::string BmpFile::Bytes() const
{
    std::string header;
    Put32(header, headerSize);
    if (headerSize == 12) {
        Put16(header, uint32_t(width));
        Put16(header, uint32_t(height));
        Put16(header, 1);
        Put16(header, bitCount);
    } else {
        Put32(header, uint32_t(width));
        Put32(header, uint32_t(height));
        Put16(header, 1);
        Put16(header, bitCount);
        Put32(header, compression);
        Put32(header, 0);
        Put32(header, 2835);
        Put32(header, 2835);
        Put32(header, colorsUsed);
        Put32(header, 0);
        for (size_t i = 0; i < masks.size() && headerSize >= 52 && i < 3; ++i)
            Put32(header, masks[i]);
    }
    header.resize(headerSize, '\0');
    if (compression == 3 && headerSize == 40) {
        for (uint32_t mask : masks)
            Put32(header, mask);
    }
    for (uint32_t color : palette) {
        header.push_back(char(color & 0xFF));
        header.push_back(char((color >> 8) & 0xFF));
        header.push_back(char((color >> 16) & 0xFF));
        if (headerSize != 12)
            header.push_back('\0');
    }

    std::string pixels;
    bool encoded = compression == 1 || compression == 2;
    for (std::string const& row : rows) {
        pixels += row;
        if (!encoded)
            pixels.resize((pixels.size() + 3) / 4 * 4, '\0');
    }

    std::string file = "BM";
    uint32_t offset = uint32_t(14 + header.size());
    Put32(file, uint32_t(14 + header.size() + pixels.size()));
    Put32(file, 0);
    Put32(file, dataOffset >= 0 ? uint32_t(dataOffset) : offset);
    return file + header + pixels;
}

std::string IndexRow(int bits, std::vector<uint8_t> const& indexes)
{
    std::string row;
    int used = 8;
    for (uint8_t index : indexes) {
        if (used == 8) {
            row.push_back('\0');
            used = 0;
        }
        used += bits;
        row.back() = char(uint8_t(row.back()) | uint8_t(index << (8 - used)));
    }
    return row;
}

std::string Row24(std::vector<uint32_t> const& pixels)
{
    std::string row;
    for (uint32_t pixel : pixels) {
        row.push_back(char(pixel & 0xFF));
        row.push_back(char((pixel >> 8) & 0xFF));
        row.push_back(char((pixel >> 16) & 0xFF));
    }
    return row;
}

std::string Row16(std::vector<uint16_t> const& values)
{
    std::string row;
    for (uint16_t value : values)
        Put16(row, value);
    return row;
}

std::string Row32(std::vector<uint32_t> const& values)
{
    std::string row;
    for (uint32_t value : values)
        Put32(row, value);
    return row;
}

}
