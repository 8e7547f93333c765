#pragma once

// A back buffer of one colour for the gauge tests, with the questions they
// ask of it: which pixels changed, where the ink lies, and what a text drawn
// by the platform itself would look like.

#include "panel/core/IniObject.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Drawing.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace gauge_test {

// A new object that has read `lines` and, as after its layout file, prepared itself.
template<typename Object>
std::unique_ptr<Object> ReadObject(std::initializer_list<std::u16string_view> lines, bool prepare = true)
{
    auto object = std::make_unique<Object>();
    for (auto line : lines)
        object->ReadValue(line);
    if (prepare) {
        platform::DeviceContext screen = platform::GetDC({});
        object->Prepare(screen);
        platform::ReleaseDC({}, screen);
    }
    return object;
}

// Pixels as the back buffer holds them: 0xRRGGBB.
inline uint32_t PixelRgb(uint32_t red, uint32_t green, uint32_t blue) { return red << 16 | green << 8 | blue; }
inline uint32_t Red(uint32_t pixel) { return pixel >> 16 & 0xFF; }
inline uint32_t Green(uint32_t pixel) { return pixel >> 8 & 0xFF; }
inline uint32_t Blue(uint32_t pixel) { return pixel & 0xFF; }

class Picture {
public:
    explicit Picture(uint32_t background, int32_t width = 200, int32_t height = 120)
        : bitmap_(width, height, true)
        , background_(background)
    {
        Fill([&](int32_t, int32_t) { return background; });
        platform::SetBkMode(bitmap_.Dc(), platform::BackgroundMode::Transparent);
    }

    panel::ScratchBitmap& Surface() { return bitmap_; }
    platform::DeviceContext Dc() const { return bitmap_.Dc(); }
    int32_t Width() const { return bitmap_.Width(); }
    int32_t Height() const { return bitmap_.Height(); }
    uint32_t Background() const { return background_; }

    uint32_t At(int32_t x, int32_t y) const { return *bitmap_.CursorAt(x, y).pixel & 0xFFFFFF; }
    void Set(int32_t x, int32_t y, uint32_t pixel) { *bitmap_.CursorAt(x, y).pixel = pixel; }
    void Fill(std::function<uint32_t(int32_t, int32_t)> const& pixel)
    {
        for (int32_t y = 0; y < Height(); ++y) {
            for (int32_t x = 0; x < Width(); ++x)
                Set(x, y, pixel(x, y));
        }
    }

    template<typename Visit>
    void ForEach(Visit visit) const
    {
        for (int32_t y = 0; y < Height(); ++y) {
            for (int32_t x = 0; x < Width(); ++x)
                visit(x, y);
        }
    }

    // The smallest rectangle holding every pixel that differs from `other`
    // (or from the background); right and bottom exclusive.
    platform::Rect Changed(Picture const* other = nullptr) const
    {
        platform::Rect area { INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN };
        ForEach([&](int32_t x, int32_t y) {
            if (At(x, y) == (other ? other->At(x, y) : background_))
                return;
            area = { std::min(area.left, x), std::min(area.top, y), std::max(area.right, x + 1),
                std::max(area.bottom, y + 1) };
        });
        return area;
    }
    bool Untouched() const { return Changed().right == INT32_MIN; }
    bool SamePixels(Picture const& other) const { return Changed(&other).right == INT32_MIN; }

    // The pixels within `area` only, the rest compared as equal.
    bool SamePixelsIn(Picture const& other, platform::Rect const& area) const
    {
        bool same = true;
        ForEach([&](int32_t x, int32_t y) {
            if (area.Contains({ x, y }))
                same = same && At(x, y) == other.At(x, y);
        });
        return same;
    }

private:
    panel::ScratchBitmap bitmap_;
    uint32_t background_;
};

// The platform drawing `text` itself, in black, as a reference for formatted texts.
inline std::unique_ptr<Picture> TextAlone(uint32_t background, std::u16string_view text, platform::Rect rect,
    uint32_t format, int32_t width = 200, int32_t height = 120)
{
    auto picture = std::make_unique<Picture>(background, width, height);
    platform::DrawText(picture->Dc(), text.data(), int32_t(text.size()), rect, format);
    return picture;
}

// Height of one line in the panel's default font, as the gauge objects measure it.
inline int32_t LineHeight()
{
    platform::DeviceContext screen = platform::GetDC({});
    platform::Size extent;
    platform::GetTextExtentPoint(screen, u"I", 1, extent);
    platform::ReleaseDC({}, screen);
    return extent.height;
}

}
