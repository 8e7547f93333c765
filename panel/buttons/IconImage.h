#pragma once

// One 32-bit picture with its own alpha, taken from an icon file: the icon
// buttons blend it into the panel's back buffer pixel by pixel.

#include "platform/File.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace panel {

class IconImage {
public:
    IconImage() = default;
    // Fully transparent black pixels.
    IconImage(uint32_t width, uint32_t height);

    uint32_t Width() const { return width_; }
    uint32_t Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }
    // Blue, green, red, alpha for each pixel; the bottom row comes first.
    uint8_t* Pixels() { return reinterpret_cast<uint8_t*>(pixels_.get()); }
    uint8_t const* Pixels() const { return reinterpret_cast<uint8_t const*>(pixels_.get()); }
    // The same as words 0xAARRGGBB.
    uint32_t* Words() { return pixels_.get(); }
    uint32_t const* Words() const { return pixels_.get(); }
    size_t PixelCount() const { return size_t(width_) * height_; }
    size_t ByteCount() const { return PixelCount() * 4; }
    void Release();

private:
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    std::unique_ptr<uint32_t[]> pixels_;
};

// Picks the largest 32-bit image of the icon file that fits the limits; a
// larger one must be both wider and taller to replace an earlier one. The
// image is left empty when there is none; why is shown with the path.
void ReadIconFile(IconImage& image, std::u16string_view path, uint32_t maxWidth, uint32_t maxHeight);
// The same from a file that is already open; `path` only names it in messages.
void ReadIconFile(IconImage& image, platform::File& file, std::u16string_view path, uint32_t maxWidth, uint32_t maxHeight);

}
