#include "panel/displays/ScratchBitmap.h"

namespace panel {

using namespace platform;

ScratchBitmap::ScratchBitmap(int32_t width, int32_t height, bool withPixels)
{
    DeviceContext screen = GetDC({});
    BitmapHandle bitmap;
    void* bits = nullptr;
    if (withPixels) {
        BitmapInfoHeader header;
        header.width = width;
        header.height = height; // positive: rows bottom-up
        bitmap = CreateDIBSection(screen, header, &bits);
    } else {
        bitmap = CreateCompatibleBitmap(screen, width, height);
    }
    if (!bitmap) {
        ReleaseDC({}, screen);
        return;
    }
    width_ = width;
    height_ = height;
    pixels_ = static_cast<uint8_t*>(bits);
    deviceContext_ = CreateCompatibleDC(screen);
    ReleaseDC({}, screen);
    previousBitmap_ = SelectObject(deviceContext_, bitmap);
}

ScratchBitmap::~ScratchBitmap()
{
    if (!deviceContext_)
        return;
    DeleteObject(SelectObject(deviceContext_, previousBitmap_));
    DeleteDC(deviceContext_);
}

ScratchBitmap::RowCursor ScratchBitmap::CursorAt(int32_t j, int32_t i) const
{
    if (!pixels_)
        return {};
    auto* pixels = reinterpret_cast<uint32_t*>(pixels_);
    return { pixels + (size_t(height_ - 1 - i) * size_t(width_) + size_t(j)), width_ };
}

}
