#include "platform/draw/BitmapFile.h"

#include "platform/LittleEndian.h"
#include "platform/draw/BitmapLimits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace platform {

namespace {

constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kRunLength8 = 1;
constexpr uint32_t kRunLength4 = 2;
constexpr uint32_t kBitFields = 3;

constexpr uint64_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kLargestHeaderSize = 124;

// Palette entries and 24-bit pixels: blue, green, red.
uint32_t PixelAt(uint8_t const* bytes)
{
    return PixelFrom(bytes[2], bytes[1], bytes[0]);
}

bool ReadExactly(File& file, void* buffer, size_t bytes)
{
    auto* into = static_cast<uint8_t*>(buffer);
    while (bytes > 0) {
        size_t got = file.Read(into, bytes);
        if (got == 0)
            return false;
        into += got;
        bytes -= got;
    }
    return true;
}

// One colour channel of a masked pixel, widened or narrowed to 8 bits.
class Channel {
public:
    // False for a mask whose bits are not contiguous.
    bool Set(uint32_t mask)
    {
        mask_ = mask;
        if (mask == 0)
            return true;
        shift_ = std::countr_zero(mask);
        uint32_t bits = mask >> shift_;
        if ((bits & (bits + 1)) != 0)
            return false;
        int width = std::popcount(bits);
        // Wider channels keep their top eight bits; narrower ones are scaled
        // so that their largest value becomes 255.
        if (width > 8) {
            shift_ += width - 8;
            width = 8;
        }
        uint32_t largest = (1u << width) - 1;
        for (uint32_t v = 0; v <= largest; ++v)
            scale_[v] = uint8_t((v * 255 + largest / 2) / largest);
        return true;
    }
    uint32_t Of(uint32_t pixel) const { return mask_ ? scale_[((pixel & mask_) >> shift_) & 0xFF] : 0; }

private:
    uint32_t mask_ = 0;
    int shift_ = 0;
    std::array<uint8_t, 256> scale_ {};
};

struct Format {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint32_t bitCount = 0;
    uint32_t compression = kUncompressed;
    std::array<Channel, 3> channels; // red, green, blue
    std::vector<uint32_t> palette; // as surface pixels

    bool RunLength() const { return compression == kRunLength8 || compression == kRunLength4; }
    uint32_t Color(uint32_t index) const { return index < palette.size() ? palette[index] : 0; }
    uint32_t Masked(uint32_t value) const
    {
        return PixelFrom(int32_t(channels[0].Of(value)), int32_t(channels[1].Of(value)), int32_t(channels[2].Of(value)));
    }
};

bool ValidDepth(uint32_t bitCount, uint32_t compression, bool core)
{
    if (core)
        return compression == kUncompressed && (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24);
    switch (compression) {
    case kUncompressed:
        return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    case kRunLength8:
        return bitCount == 8;
    case kRunLength4:
        return bitCount == 4;
    case kBitFields:
        return bitCount == 16 || bitCount == 32;
    }
    return false;
}

bool SetMasks(Format& format, uint32_t red, uint32_t green, uint32_t blue)
{
    uint32_t all = red | green | blue;
    if (all == 0 || (red & green) || (red & blue) || (green & blue))
        return false;
    if (format.bitCount == 16 && all > 0xFFFF)
        return false;
    return format.channels[0].Set(red) && format.channels[1].Set(green) && format.channels[2].Set(blue);
}

void DecodeRow(uint8_t const* row, Format const& format, uint32_t* out)
{
    int32_t width = format.width;
    switch (format.bitCount) {
    case 1:
        for (int32_t x = 0; x < width; ++x)
            out[x] = format.Color((row[x >> 3] >> (7 - (x & 7))) & 1);
        break;
    case 4:
        for (int32_t x = 0; x < width; ++x)
            out[x] = format.Color((x & 1) ? row[x >> 1] & 0xF : row[x >> 1] >> 4);
        break;
    case 8:
        for (int32_t x = 0; x < width; ++x)
            out[x] = format.Color(row[x]);
        break;
    case 16:
        for (int32_t x = 0; x < width; ++x)
            out[x] = format.Masked(ReadLittle16(row + 2 * size_t(x)));
        break;
    case 24:
        for (int32_t x = 0; x < width; ++x)
            out[x] = PixelAt(row + 3 * size_t(x));
        break;
    case 32:
        for (int32_t x = 0; x < width; ++x) {
            uint32_t value = ReadLittle32(row + 4 * size_t(x));
            out[x] = format.compression == kBitFields ? format.Masked(value) : value & 0xFFFFFF;
        }
        break;
    }
}

// Runs of palette indexes with escapes for end of line (0 0), end of bitmap
// (0 1), a jump (0 2 dx dy) and literal stretches (0 n ...) padded to 16 bits.
// Pixels that no run reaches stay black; runs past the right edge are cut.
bool DecodeRunLength(std::vector<uint8_t> const& data, Format const& format, Surface& picture)
{
    bool nibbles = format.compression == kRunLength4;
    int64_t x = 0;
    int64_t y = 0; // stored rows, from the bottom
    size_t i = 0;
    auto put = [&](uint32_t index) {
        if (x < format.width && y < format.height)
            picture.Row(int32_t(format.height - 1 - y))[x] = format.Color(index);
        ++x;
    };
    while (y < format.height) {
        if (data.size() - i < 2)
            return false;
        uint8_t count = data[i];
        uint8_t value = data[i + 1];
        i += 2;
        if (count > 0) {
            if (x >= format.width) {
                x += count;
                continue;
            }
            for (int k = 0; k < count; ++k)
                put(nibbles ? ((k & 1) ? value & 0xF : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0:
            x = 0;
            ++y;
            break;
        case 1:
            return true;
        case 2:
            if (data.size() - i < 2)
                return false;
            x += data[i];
            y += data[i + 1];
            i += 2;
            break;
        default: {
            size_t bytes = nibbles ? (size_t(value) + 1) / 2 : value;
            if (data.size() - i < bytes)
                return false;
            for (int k = 0; k < value; ++k) {
                uint8_t byte = data[i + (nibbles ? size_t(k) / 2 : size_t(k))];
                put(nibbles ? ((k & 1) ? byte & 0xF : byte >> 4) : byte);
            }
            i += std::min(bytes + (bytes & 1), data.size() - i);
            break;
        }
        }
    }
    return true;
}

// What the headers say beyond the pixel format, and how far the file has been read.
struct Layout {
    bool core = false; // the oldest header: 16-bit sizes, no compression, 3-byte palette entries
    uint32_t colorsUsed = 0;
    uint64_t dataOffset = 0; // where the pixels begin
    uint64_t position = 0;
};

bool KnownHeaderSize(uint32_t size)
{
    switch (size) {
    case kCoreHeaderSize:
    case kInfoHeaderSize:
    case 52:
    case 56:
    case 108:
    case kLargestHeaderSize:
        return true;
    }
    return false;
}

// The masks follow the 40-byte header; larger headers hold them.
bool ReadMasks(File& file, Format& format, uint8_t const* info, uint32_t headerSize, Layout& layout)
{
    uint8_t masks[12];
    if (headerSize >= 52) {
        std::copy_n(info + 40, 12, masks);
    } else {
        if (!ReadExactly(file, masks, sizeof masks))
            return false;
        layout.position += sizeof masks;
    }
    return SetMasks(format, ReadLittle32(masks), ReadLittle32(masks + 4), ReadLittle32(masks + 8));
}

// The file header and the information header with its masks.
std::optional<Layout> ReadHeaders(File& file, Format& format)
{
    uint8_t header[kFileHeaderSize + kLargestHeaderSize] = {};
    if (!ReadExactly(file, header, kFileHeaderSize + 4) || header[0] != 'B' || header[1] != 'M')
        return std::nullopt;
    uint8_t* info = header + kFileHeaderSize;
    uint32_t headerSize = ReadLittle32(info);
    if (!KnownHeaderSize(headerSize) || !ReadExactly(file, info + 4, headerSize - 4))
        return std::nullopt;
    Layout layout;
    layout.dataOffset = ReadLittle32(header + 10);
    layout.position = kFileHeaderSize + headerSize;
    layout.core = headerSize == kCoreHeaderSize;

    bool core = layout.core;
    int64_t width = core ? ReadLittle16(info + 4) : int32_t(ReadLittle32(info + 4));
    int64_t height = core ? ReadLittle16(info + 6) : int32_t(ReadLittle32(info + 8));
    format.bitCount = core ? ReadLittle16(info + 10) : ReadLittle16(info + 14);
    format.compression = core ? kUncompressed : ReadLittle32(info + 16);
    layout.colorsUsed = core ? 0 : ReadLittle32(info + 32);
    format.topDown = height < 0;
    height = std::abs(height);
    if (!IsAcceptableBitmapSize(width, height) || !ValidDepth(format.bitCount, format.compression, core))
        return std::nullopt;
    if (format.topDown && format.RunLength())
        return std::nullopt;
    format.width = int32_t(width);
    format.height = int32_t(height);

    if (format.compression == kBitFields) {
        if (!ReadMasks(file, format, info, headerSize, layout))
            return std::nullopt;
    } else if (format.bitCount == 16) {
        SetMasks(format, 0x7C00, 0x03E0, 0x001F);
    }
    return layout;
}

bool ReadPalette(File& file, Format& format, Layout& layout)
{
    uint64_t entrySize = layout.core ? 3 : 4;
    uint64_t entries = 1u << format.bitCount;
    if (layout.colorsUsed != 0)
        entries = std::min<uint64_t>(entries, layout.colorsUsed);
    // A palette that runs into the pixels is cut where they begin.
    entries = std::min(entries, (layout.dataOffset - layout.position) / entrySize);
    if (entries == 0)
        return false;
    std::vector<uint8_t> table(entries * entrySize);
    if (!ReadExactly(file, table.data(), table.size()))
        return false;
    layout.position += table.size();
    for (uint64_t k = 0; k < entries; ++k)
        format.palette.push_back(PixelAt(table.data() + k * entrySize));
    return true;
}

// `available` bytes from the start of the pixels to the end of the file.
std::optional<Surface> ReadPixels(File& file, Format const& format, uint64_t available)
{
    uint64_t width = uint64_t(format.width);
    uint64_t height = uint64_t(format.height);
    Surface picture(format.width, format.height, 0);
    if (format.RunLength()) {
        // Two bytes a pixel and four a row is more than any encoder writes;
        // beyond that a file only pads, and reading stops.
        uint64_t budget = 2 * width * height + 4 * height + 64;
        std::vector<uint8_t> data(size_t(std::min(available, budget)));
        if (!ReadExactly(file, data.data(), data.size()) || !DecodeRunLength(data, format, picture))
            return std::nullopt;
        return picture;
    }

    uint64_t rowBits = width * format.bitCount;
    uint64_t stride = (rowBits + 31) / 32 * 4;
    // The last row's padding may be missing; its pixels may not.
    uint64_t needed = stride * (height - 1) + (rowBits + 7) / 8;
    if (available < needed)
        return std::nullopt;
    // Row by row: the file's pixels are never all in memory beside the picture.
    std::vector<uint8_t> data(size_t(stride), 0);
    for (int32_t stored = 0; stored < format.height; ++stored) {
        uint64_t left = available - uint64_t(stored) * stride;
        if (!ReadExactly(file, data.data(), size_t(std::min(left, stride))))
            return std::nullopt;
        int32_t row = format.topDown ? stored : format.height - 1 - stored;
        DecodeRow(data.data(), format, picture.Row(row));
    }
    return picture;
}

}

std::optional<Surface> ReadBitmapFile(File& file)
{
    uint64_t start = file.Position();
    uint64_t length = file.Size() > start ? file.Size() - start : 0;
    Format format;
    std::optional<Layout> layout = ReadHeaders(file, format);
    if (!layout || layout->dataOffset < layout->position || layout->dataOffset > length)
        return std::nullopt;
    if (format.bitCount <= 8 && !ReadPalette(file, format, *layout))
        return std::nullopt;
    if (layout->dataOffset > layout->position && !file.SeekRelative(int64_t(layout->dataOffset - layout->position)))
        return std::nullopt;
    return ReadPixels(file, format, length - layout->dataOffset);
}

}
