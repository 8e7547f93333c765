#include "panel/displays/GradientBlend.h"

#include "panel/displays/ScratchBitmap.h"
#include "platform/pixels/PixelKernels.h"

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

    auto const moveTowards = platform::pixels::ActiveKernels().moveTowards;
    for (int32_t row = firstRow; row < lowest; ++row) {
        int64_t const k = lowest - 1 - row; // rows above the bottom one
        uint32_t target = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            int64_t const b = bottom >> shift & 0xFF;
            int64_t const t = top >> shift & 0xFF;
            target |= uint32_t((b * (rows - k) + t * k) / rows) << shift;
        }
        moveTowards(surface.CursorAt(left, row).pixel, size_t(columns), target, target >> 24, 0xFFFFFFFFu);
    }
}

}
