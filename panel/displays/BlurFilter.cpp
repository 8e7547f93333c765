#include "panel/displays/BlurFilter.h"

#include "platform/draw/PixelColor.h"
#include "platform/pixels/PixelKernels.h"

#include <algorithm>
#include <cstring>

namespace panel {

using namespace platform;

void BlurFilter::Apply(ScratchBitmap& surface, Rect const& rect, BlurPasses const& passes)
{
    if (!surface.Pixels())
        return;
    Rect const clipped { std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, surface.Width()),
        std::min(rect.bottom, surface.Height()) };
    Rect const area { clipped.left, clipped.top,
        Rect::Saturate(std::min(int64_t(clipped.right), int64_t(clipped.left) + passes.maxWidth)),
        Rect::Saturate(std::min(int64_t(clipped.bottom), int64_t(clipped.top) + passes.maxHeight)) };
    if (area.Width() < 3 || area.Height() < 3)
        return;
    size_t const pixels = size_t(area.Width()) * size_t(area.Height());
    if (copy_.size() < pixels)
        copy_.resize(pixels);
    uint32_t const tint = PixelOf(passes.tint);
    int32_t const count = passes.tinted + passes.plain;
    for (int32_t pass = 0; pass < count; ++pass)
        Pass(surface, area, pass < passes.tinted, tint);
}

void BlurFilter::Pass(ScratchBitmap& surface, Rect const& rect, bool tinted, uint32_t tint)
{
    size_t const w = size_t(rect.Width());
    int32_t const h = rect.Height();
    // Each pass reads what the one before wrote: a copy, rows from the top.
    for (int32_t i = 0; i < h; ++i)
        std::memcpy(copy_.data() + size_t(i) * w, surface.CursorAt(rect.left, rect.top + i).pixel, w * 4);

    auto const& kernels = pixels::ActiveKernels();
    for (int32_t i = 1; i + 1 < h; ++i) {
        uint32_t const* here = copy_.data() + size_t(i) * w + 1;
        uint32_t* target = surface.CursorAt(rect.left + 1, rect.top + i).pixel;
        if (tinted)
            kernels.smoothTinted(target, here - w, here, here + w, w - 2, tint);
        else
            kernels.smoothPlain(target, here - w, here, here + w, w - 2);
    }
}

}
