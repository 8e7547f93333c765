#pragma once

// Pictures as the icon tests write and compare them: 0xAARRGGBB pixels, top
// row first, whatever order the image or back buffer keeps in memory.

#include "panel/buttons/IconImage.h"
#include "panel/displays/ScratchBitmap.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace icon_test {

inline panel::IconImage Picture(uint32_t width, uint32_t height, std::vector<uint32_t> const& pixels)
{
    panel::IconImage image(width, height);
    for (uint32_t row = 0; row < height; ++row)
        std::memcpy(image.Pixels() + size_t(height - 1 - row) * width * 4, &pixels[size_t(row) * width], width * 4);
    return image;
}

inline std::vector<uint32_t> PixelsOf(panel::IconImage const& image)
{
    std::vector<uint32_t> pixels(size_t(image.Width()) * image.Height());
    for (uint32_t row = 0; row < image.Height(); ++row) {
        std::memcpy(&pixels[size_t(row) * image.Width()], image.Pixels() + size_t(image.Height() - 1 - row) * image.Width() * 4,
            image.Width() * 4);
    }
    return pixels;
}

inline void Fill(panel::ScratchBitmap& surface, std::vector<uint32_t> const& pixels)
{
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x)
            *surface.CursorAt(x, y).pixel = pixels[size_t(y) * surface.Width() + x];
    }
}

inline void Fill(panel::ScratchBitmap& surface, uint32_t colour)
{
    Fill(surface, std::vector<uint32_t>(size_t(surface.Width()) * surface.Height(), colour));
}

inline std::vector<uint32_t> Shown(panel::ScratchBitmap const& surface)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < surface.Height(); ++y) {
        for (int32_t x = 0; x < surface.Width(); ++x)
            pixels.push_back(*surface.CursorAt(x, y).pixel);
    }
    return pixels;
}

}
