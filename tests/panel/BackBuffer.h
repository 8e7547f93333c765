#pragma once

// A panel back buffer of one colour, in the transparent mode the panel draws
// objects in, with the questions the panel's tests ask of it: which pixels
// changed, where the ink lies, and how it compares with another one.

#include "panel/displays/ScratchBitmap.h"
#include "platform/Drawing.h"
#include "tests/support/PictureCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

// Pixels as the back buffer holds them: 0xRRGGBB.
inline uint32_t PixelRgb(uint32_t red, uint32_t green, uint32_t blue) { return red << 16 | green << 8 | blue; }
inline uint32_t Red(uint32_t pixel) { return pixel >> 16 & 0xFF; }
inline uint32_t Green(uint32_t pixel) { return pixel >> 8 & 0xFF; }
inline uint32_t Blue(uint32_t pixel) { return pixel & 0xFF; }

// A picture as rows of characters, one a pixel.
using Rows = std::vector<std::string>;

class BackBuffer {
public:
    explicit BackBuffer(uint32_t background, int32_t width = 200, int32_t height = 120)
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
    bool Inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < Width() && y < Height(); }

    // Column x of row y, rows from the top.
    uint32_t At(int32_t x, int32_t y) const { return *bitmap_.CursorAt(x, y).pixel & 0xFFFFFF; }
    void Set(int32_t x, int32_t y, uint32_t pixel) { *bitmap_.CursorAt(x, y).pixel = pixel; }
    bool Touched(int32_t x, int32_t y) const { return At(x, y) != background_; }
    // Columns [left, right) of rows [top, bottom) in one colour, as an expected picture is painted by hand.
    void Paint(platform::Rect const& area, uint32_t pixel)
    {
        for (int32_t y = area.top; y < area.bottom; ++y) {
            for (int32_t x = area.left; x < area.right; ++x)
                Set(x, y, pixel);
        }
    }
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

    Picture Pixels() const
    {
        Picture picture { Width(), Height(), {} };
        ForEach([&](int32_t x, int32_t y) { picture.pixels.push_back(At(x, y)); });
        return picture;
    }

    // The smallest rectangle of the pixels for which `ink` holds; right and
    // bottom exclusive, and INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN when none does.
    template<typename Ink>
    platform::Rect InkArea(Ink ink) const
    {
        platform::Rect area { INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN };
        ForEach([&](int32_t x, int32_t y) {
            if (!ink(x, y))
                return;
            area = { std::min(area.left, x), std::min(area.top, y), std::max(area.right, x + 1),
                std::max(area.bottom, y + 1) };
        });
        return area;
    }
    // The same, empty when none does.
    template<typename Ink>
    platform::Rect InkBounds(Ink ink) const
    {
        platform::Rect const area = InkArea([&](int32_t x, int32_t y) { return ink(At(x, y)); });
        return area.left == INT32_MAX ? platform::Rect {} : area;
    }

    // Where the pixels differ from `other`, or from the background.
    platform::Rect Changed(BackBuffer const* other = nullptr) const
    {
        return InkArea([&](int32_t x, int32_t y) { return other ? At(x, y) != other->At(x, y) : Touched(x, y); });
    }
    bool Untouched() const { return Changed().right == INT32_MIN; }

    // Every pixel; a mismatch names the first few with both colours.
    testing::AssertionResult SamePixels(BackBuffer const& other) const
    {
        std::string const difference = PictureDifference(Pixels(), other.Pixels());
        if (difference.empty())
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << difference;
    }
    // The pixels within `area` only, the rest compared as equal.
    bool SamePixelsIn(BackBuffer const& other, platform::Rect const& area) const
    {
        bool same = true;
        ForEach([&](int32_t x, int32_t y) {
            if (area.Contains({ x, y }))
                same = same && At(x, y) == other.At(x, y);
        });
        return same;
    }

    // One character a pixel: `legend` names the known colours, others show as '?'.
    Rows Look(std::map<uint32_t, char> const& legend) const
    {
        Rows rows(static_cast<size_t>(Height()));
        ForEach([&](int32_t x, int32_t y) {
            auto known = legend.find(At(x, y));
            rows[size_t(y)].push_back(known == legend.end() ? '?' : known->second);
        });
        return rows;
    }

private:
    panel::ScratchBitmap bitmap_;
    uint32_t background_;
};

}
