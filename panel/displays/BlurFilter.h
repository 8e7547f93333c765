#pragma once

// A 3 x 3 smoothing of a rectangle of the back buffer, a few passes of it,
// the first ones optionally pulling every pixel towards a tint. The
// rectangle's outermost ring is only read, never written.

#include "panel/displays/ScratchBitmap.h"
#include "platform/Types.h"

#include <cstdint>
#include <vector>

namespace panel {

struct BlurPasses {
    platform::ColorRef tint = 0;
    uint8_t tinted = 0;
    uint8_t plain = 0;
    // Only this much of a rectangle, counted from its top-left corner, is filtered.
    int32_t maxWidth = 0;
    int32_t maxHeight = 0;
};

// Tinted passes first, then plain ones, over at most 320 x 240 pixels.
constexpr BlurPasses TintedBlur(platform::ColorRef tint, uint8_t tinted, uint8_t plain)
{
    return { tint, tinted, plain, 320, 240 };
}

// Plain passes only, over at most 320 x 48 pixels.
constexpr BlurPasses PlainBlur(uint8_t passes)
{
    return { 0, 0, passes, 320, 48 };
}

// Keeps the copy a pass reads from between uses: it grows to the largest
// rectangle filtered and is never filled or given back in between.
class BlurFilter {
public:
    // Only the part of `rect` that lies on the surface and within the limits is filtered.
    void Apply(ScratchBitmap& surface, platform::Rect const& rect, BlurPasses const& passes);

private:
    void Pass(ScratchBitmap& surface, platform::Rect const& rect, bool tinted, uint32_t tint);

    std::vector<uint32_t> copy_;
};

}
