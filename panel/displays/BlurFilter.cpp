#include "panel/displays/BlurFilter.h"

#include "platform/draw/PixelColor.h"

#include <algorithm>

namespace panel {

using namespace platform;

BlurFilter::BlurFilter(ColorRef tint, uint8_t tintedPasses, uint8_t plainPasses)
    : tint_(tint)
    , tintedPasses_(tintedPasses)
    , plainPasses_(plainPasses)
    , scratch_(320, 240, true)
{
}

BlurFilter::BlurFilter(uint8_t passes)
    : plainPasses_(passes)
    , scratch_(320, 48, true)
{
}

void BlurFilter::Apply(ScratchBitmap& surface, Rect const& rect)
{
    if (!surface.Pixels() || !scratch_.Pixels())
        return;
    Rect const clipped { std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, surface.Width()),
        std::min(rect.bottom, surface.Height()) };
    Rect const area { clipped.left, clipped.top,
        Rect::Saturate(std::min(int64_t(clipped.right), int64_t(clipped.left) + scratch_.Width())),
        Rect::Saturate(std::min(int64_t(clipped.bottom), int64_t(clipped.top) + scratch_.Height())) };
    if (area.Width() < 3 || area.Height() < 3)
        return;
    int32_t const passes = tintedPasses_ + plainPasses_;
    for (int32_t pass = 0; pass < passes; ++pass)
        Pass(surface, area, pass < tintedPasses_);
}

// Red and blue are summed side by side in one word (lanes 0x00FF00FF), green
// in another: a lane's sum stays below 2^13, so the lanes never meet.
template<uint32_t CentreWeight, uint32_t Shift>
static inline uint32_t Smooth(uint32_t const* above, uint32_t const* here, uint32_t const* below, int32_t j,
    uint32_t mask, uint32_t tintTerm)
{
    uint32_t const sum = (above[j - 1] & mask) + 2 * (above[j] & mask) + (above[j + 1] & mask)
        + 2 * (here[j - 1] & mask) + CentreWeight * (here[j] & mask) + 2 * (here[j + 1] & mask)
        + (below[j - 1] & mask) + 2 * (below[j] & mask) + (below[j + 1] & mask) + tintTerm;
    return (sum >> Shift) & mask;
}

void BlurFilter::Pass(ScratchBitmap& surface, Rect const& rect, bool tinted)
{
    int32_t const w = rect.Width();
    int32_t const h = rect.Height();
    BitBlt(scratch_.Dc(), 0, 0, w, h, surface.Dc(), rect.left, rect.top, kSourceCopy);

    constexpr uint32_t kRedBlue = 0x00FF00FF;
    constexpr uint32_t kGreen = 0x0000FF00;
    uint32_t const tint = PixelOf(tint_);
    uint32_t const tintRedBlue = 4 * (tint & kRedBlue);
    uint32_t const tintGreen = 4 * (tint & kGreen);
    for (int32_t i = 1; i + 1 < h; ++i) {
        // Rows are stored bottom-up: the row above lies one row length higher in memory.
        auto const source = scratch_.CursorAt(0, i);
        uint32_t const* here = source.pixel;
        uint32_t const* above = here + source.rowLength;
        uint32_t const* below = here - source.rowLength;
        uint32_t* target = surface.CursorAt(rect.left, rect.top + i).pixel;
        if (tinted) {
            for (int32_t j = 1; j + 1 < w; ++j) {
                target[j] = Smooth<16, 5>(above, here, below, j, kRedBlue, tintRedBlue)
                    | Smooth<16, 5>(above, here, below, j, kGreen, tintGreen);
            }
        } else {
            for (int32_t j = 1; j + 1 < w; ++j)
                target[j] = Smooth<4, 4>(above, here, below, j, kRedBlue, 0) | Smooth<4, 4>(above, here, below, j, kGreen, 0);
        }
    }
}

}
