#pragma once

// What the drawing tests share: a memory device context over a 32-bit
// section whose pixels are read straight from the section's memory, and
// pictures of it as rows of characters.

#include "platform/Drawing.h"

#include <map>
#include <string>
#include <vector>

namespace testing_support {

class SectionDc {
public:
    SectionDc(int32_t width, int32_t height, uint32_t fill = 0xFFFFFF);
    ~SectionDc();
    SectionDc(SectionDc const&) = delete;
    SectionDc& operator=(SectionDc const&) = delete;

    platform::DeviceContext Dc() const { return dc_; }
    platform::BitmapHandle Bitmap() const { return bitmap_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // 0x00RRGGBB of column x in row y, rows counted from the top.
    uint32_t At(int32_t x, int32_t y) const;
    void Set(int32_t x, int32_t y, uint32_t pixel);
    void Fill(uint32_t pixel);
    uint8_t const* Bits() const { return bits_; }
    // One character a pixel: `legend` names the known colours, others show as '?'.
    std::vector<std::string> Picture(std::map<uint32_t, char> const& legend) const;

private:
    int32_t width_;
    int32_t height_;
    uint8_t* bits_ = nullptr;
    platform::DeviceContext dc_;
    platform::BitmapHandle bitmap_;
    platform::BitmapHandle previous_;
};

// The bounding box of the pixels that differ from `background`; empty when none do.
platform::Rect InkBounds(SectionDc const& section, uint32_t background);

}
