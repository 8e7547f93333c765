// Device-independent bitmap files: every header, depth and encoding the
// loader knows, read from memory; a picture that loads is also copied once,
// so that its size is the size of its pixels.

#include "platform/Drawing.h"
#include "platform/File.h"
#include "platform/headless/HeadlessDevice.h"

#include <cstdint>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    platform::HeadlessDevice device({});
    platform::ScopedBackend scope(device);

    platform::File file(std::make_unique<platform::MemoryFileStream>(std::vector<uint8_t>(data, data + size)));
    platform::BitmapHandle bitmap = platform::LoadBitmapFile(file);
    if (!bitmap)
        return 0;
    platform::Size bitmapSize;
    platform::GetBitmapSize(bitmap, bitmapSize);
    platform::DeviceContext source = platform::CreateCompatibleDC({});
    platform::DeviceContext target = platform::CreateCompatibleDC({});
    platform::SelectObject(source, bitmap);
    platform::SelectObject(target, platform::CreateCompatibleBitmap(target, 64, 64));
    platform::BitBlt(target, 0, 0, bitmapSize.width, bitmapSize.height, source, bitmapSize.width - 64,
        bitmapSize.height - 64, platform::kSourceCopy);
    return 0;
}
