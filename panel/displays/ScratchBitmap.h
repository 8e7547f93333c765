#pragma once

// The panel's one drawing surface: a bitmap with its own memory device
// context, optionally with 32-bit pixels the code addresses directly (rows
// bottom-up). Every panel window keeps its whole picture in one.

#include "platform/Drawing.h"

#include <cstdint>

namespace panel {

class ScratchBitmap {
public:
    // A surface whose bitmap cannot be made has no context, no pixels and size 0 x 0.
    ScratchBitmap(int32_t width, int32_t height, bool withPixels);
    ~ScratchBitmap();
    ScratchBitmap(ScratchBitmap const&) = delete;
    ScratchBitmap& operator=(ScratchBitmap const&) = delete;

    platform::DeviceContext Dc() const { return deviceContext_; }
    uint8_t* Pixels() const { return pixels_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }

    // Column j of row i, rows counted from the top; the next row down lies
    // `rowLength` pixels lower in memory.
    struct RowCursor {
        uint32_t* pixel = nullptr;
        int32_t rowLength = 0;
    };
    RowCursor CursorAt(int32_t j, int32_t i) const;

private:
    platform::BitmapHandle previousBitmap_;
    platform::DeviceContext deviceContext_;
    uint8_t* pixels_ = nullptr;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

}
