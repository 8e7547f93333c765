#include "panel/displays/GradientBlend.h"

#include "panel/displays/ScratchBitmap.h"
#include "platform/draw/PixelColor.h"

#include <algorithm>

namespace panel {

void GradientBlend(ScratchBitmap& surface, platform::Rect const& rect, uint32_t top, uint32_t bottom)
{
    if (!surface.Pixels() || rect.left >= surface.Width() || rect.top >= surface.Height())
        return;
    int32_t const right = std::min(rect.right, surface.Width());
    int32_t const lowest = std::min(rect.bottom, surface.Height());
    // The gradient spans the rows down to the surface's bottom edge; rows above
    // its top edge are left out but keep their share of the gradient.
    int32_t const left = std::max(rect.left, 0);
    int64_t const rows = int64_t(lowest) - rect.top;
    if (right <= left || rows <= 0)
        return;
    int32_t const firstRow = std::max(rect.top, 0);
    int32_t const columns = right - left;

    for (int32_t row = firstRow; row < lowest; ++row) {
        int64_t const k = lowest - 1 - row; // rows above the bottom one
        int32_t target[4];
        for (int shift = 0, c = 0; c < 4; ++c, shift += 8) {
            int64_t const b = bottom >> shift & 0xFF;
            int64_t const t = top >> shift & 0xFF;
            target[c] = int32_t((b * (rows - k) + t * k) / rows);
        }
        int32_t const alpha = target[3];
        uint32_t* pixel = surface.CursorAt(left, row).pixel;
        for (int32_t j = 0; j < columns; ++j) {
            uint32_t const old = pixel[j];
            uint32_t mixed = 0;
            for (int shift = 0, c = 0; c < 4; ++c, shift += 8) {
                int32_t const channel = int32_t(old >> shift & 0xFF);
                mixed |= uint32_t(platform::ChannelTowards(channel, target[c], alpha)) << shift;
            }
            pixel[j] = mixed;
        }
    }
}

}
