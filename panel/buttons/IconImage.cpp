#include "panel/buttons/IconImage.h"

#include "config/Dialect.h"
#include "config/Reports.h"
#include "platform/LittleEndian.h"

#include <cstring>
#include <optional>
#include <span>
#include <vector>

namespace panel {

using platform::ReadLittle16;
using platform::ReadLittle32;

namespace {

constexpr std::u16string_view kNotAnIcon = u"Keine gültige Icondatei:";
constexpr std::u16string_view kNoIcons = u"Enthält keine Icons:";
constexpr std::u16string_view kNo32BitIcon = u"Kein 32Bit Icon gefunden:";

constexpr size_t kFileHeaderSize = 6;
constexpr size_t kEntrySize = 16;
// Far beyond any real icon file; larger ones are not read into memory.
constexpr uint64_t kLargestFile = 16u << 20;

struct Entry {
    uint8_t width;
    uint8_t height;
    uint16_t bitsPerPixel;
    uint32_t offset;
};

Entry EntryAt(std::span<uint8_t const> bytes, size_t index)
{
    size_t const at = kFileHeaderSize + index * kEntrySize;
    return { bytes[at], bytes[at + 1], ReadLittle16(&bytes[at + 6]), ReadLittle32(&bytes[at + 12]) };
}

std::optional<Entry> Choose(std::span<uint8_t const> bytes, size_t count, uint32_t maxWidth, uint32_t maxHeight)
{
    std::optional<Entry> chosen;
    for (size_t i = 0; i < count; ++i) {
        Entry const entry = EntryAt(bytes, i);
        if (entry.bitsPerPixel != 32 || entry.width > maxWidth || entry.height > maxHeight)
            continue;
        if (!chosen || (entry.width > chosen->width && entry.height > chosen->height))
            chosen = entry;
    }
    return chosen;
}

void Report(std::u16string_view caption, std::u16string_view path)
{
    config::ReportFileNotFound(config::kPanelDialect, caption, path);
}

}

IconImage::IconImage(uint32_t width, uint32_t height)
    : width_(width)
    , height_(height)
    , pixels_(std::make_unique<uint32_t[]>(PixelCount()))
{
}

void IconImage::Release()
{
    pixels_.reset();
    width_ = 0;
    height_ = 0;
}

void ReadIconFile(IconImage& image, std::u16string_view path, uint32_t maxWidth, uint32_t maxHeight)
{
    image.Release();
    platform::File file = platform::File::OpenForReading(path);
    if (file.IsOpen())
        ReadIconFile(image, file, path, maxWidth, maxHeight);
}

void ReadIconFile(IconImage& image, platform::File& file, std::u16string_view path, uint32_t maxWidth, uint32_t maxHeight)
{
    image.Release();
    uint64_t const size = file.Size();
    if (size == 0)
        return;
    if (size > kLargestFile) {
        Report(kNotAnIcon, path);
        return;
    }
    std::vector<uint8_t> buffer(size);
    size_t const read = file.Read(buffer.data(), buffer.size());
    file.Close();
    if (read == 0)
        return;
    std::span<uint8_t const> const bytes(buffer.data(), read);

    if (bytes.size() < kFileHeaderSize || ReadLittle16(&bytes[0]) != 0 || ReadLittle16(&bytes[2]) != 1) {
        Report(kNotAnIcon, path);
        return;
    }
    size_t const count = ReadLittle16(&bytes[4]);
    if (count == 0) {
        Report(kNoIcons, path);
        return;
    }
    // The file says where everything is; none of it may lie past its end.
    if (kFileHeaderSize + count * kEntrySize > bytes.size()) {
        Report(kNotAnIcon, path);
        return;
    }
    std::optional<Entry> const chosen = Choose(bytes, count, maxWidth, maxHeight);
    if (!chosen) {
        Report(kNo32BitIcon, path);
        return;
    }
    // A 256-pixel entry has the size byte 0; such images are not read.
    if (chosen->width == 0 || chosen->height == 0)
        return;
    uint64_t const headerAt = chosen->offset;
    if (headerAt + 4 > bytes.size()) {
        Report(kNotAnIcon, path);
        return;
    }
    uint64_t const pixelsAt = headerAt + ReadLittle32(&bytes[headerAt]);
    uint64_t const pixelBytes = uint64_t(chosen->width) * chosen->height * 4;
    if (pixelsAt + pixelBytes > bytes.size()) {
        Report(kNotAnIcon, path);
        return;
    }
    image = IconImage(chosen->width, chosen->height);
    std::memcpy(image.Pixels(), bytes.data() + pixelsAt, image.ByteCount());
}

}
