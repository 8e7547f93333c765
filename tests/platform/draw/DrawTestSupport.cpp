#include "tests/platform/draw/DrawTestSupport.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace testing_support {

using namespace platform;

SectionDc::SectionDc(int32_t width, int32_t height, uint32_t fill)
    : width_(width)
    , height_(height)
{
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection({}, header, &bits);
    dc_ = CreateCompatibleDC({});
    if (!bitmap_ || !bits || !dc_)
        std::abort();
    bits_ = static_cast<uint8_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(fill);
}

SectionDc::~SectionDc()
{
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

uint32_t SectionDc::At(int32_t x, int32_t y) const
{
    // Rows are stored bottom-up, four bytes a pixel: blue, green, red, fourth.
    uint8_t const* p = bits_ + (size_t(height_ - 1 - y) * size_t(width_) + size_t(x)) * 4;
    return (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

void SectionDc::Set(int32_t x, int32_t y, uint32_t pixel)
{
    uint8_t* p = bits_ + (size_t(height_ - 1 - y) * size_t(width_) + size_t(x)) * 4;
    p[0] = uint8_t(pixel);
    p[1] = uint8_t(pixel >> 8);
    p[2] = uint8_t(pixel >> 16);
    p[3] = 0;
}

void SectionDc::Fill(uint32_t pixel)
{
    for (int32_t y = 0; y < height_; ++y) {
        for (int32_t x = 0; x < width_; ++x)
            Set(x, y, pixel);
    }
}

std::vector<std::string> SectionDc::Picture(std::map<uint32_t, char> const& legend) const
{
    std::vector<std::string> rows;
    for (int32_t y = 0; y < height_; ++y) {
        std::string row;
        for (int32_t x = 0; x < width_; ++x) {
            auto found = legend.find(At(x, y));
            row.push_back(found == legend.end() ? '?' : found->second);
        }
        rows.push_back(row);
    }
    return rows;
}

Rect InkBounds(SectionDc const& section, uint32_t background)
{
    Rect bounds { section.Width(), section.Height(), 0, 0 };
    for (int32_t y = 0; y < section.Height(); ++y) {
        for (int32_t x = 0; x < section.Width(); ++x) {
            if (section.At(x, y) == background)
                continue;
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x + 1);
            bounds.bottom = std::max(bounds.bottom, y + 1);
        }
    }
    return bounds.right > bounds.left ? bounds : Rect {};
}

}
