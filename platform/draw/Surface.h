#pragma once

// A 32-bit picture as the device lays it out: four bytes a pixel (blue, green,
// red, fourth byte), rows stored bottom-up.

#include "platform/Types.h"
#include "platform/draw/PixelColor.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

class Surface {
public:
    Surface() = default;
    Surface(int32_t width, int32_t height, uint32_t fill = 0);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }

    // Row `y` counted from the top.
    uint32_t* Row(int32_t y) { return pixels_.data() + size_t(height_ - 1 - y) * size_t(width_); }
    uint32_t const* Row(int32_t y) const { return pixels_.data() + size_t(height_ - 1 - y) * size_t(width_); }
    uint8_t* Bits() { return reinterpret_cast<uint8_t*>(pixels_.data()); }

    // A new size keeps the top-left part of the picture; new pixels get `fill`.
    void Resize(int32_t width, int32_t height, uint32_t fill);

    // What was written since the last take (top-down rows), so that a screen
    // can show just the pixels that changed.
    void AddDamage(Rect const& rect) { damage_ = damage_.Union(rect); }
    Rect TakeDamage();

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
    Rect damage_;
};

}
