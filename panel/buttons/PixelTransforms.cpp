#include "panel/buttons/PixelTransforms.h"

#include "panel/buttons/IconImage.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/pixels/PixelKernels.h"

#include <algorithm>

namespace panel {

using platform::pixels::ActiveKernels;

float PercentFactor(int32_t percent)
{
    constexpr float kHundredth = 0x1.47ae14p-7f; // the bits 0x3C23D70A
    return float(percent) * kHundredth;
}

void ScaleChannels(IconImage& image, float red, float green, float blue, float alpha)
{
    float const factors[4] = { red, green, blue, alpha };
    ActiveKernels().scaleChannels(image.Words(), image.PixelCount(), factors);
}

void AddChannels(IconImage& image, int16_t red, int16_t green, int16_t blue, int16_t alpha)
{
    int16_t const amounts[4] = { red, green, blue, alpha };
    ActiveKernels().addChannels(image.Words(), image.PixelCount(), amounts);
}

void MakeGray(IconImage& image)
{
    ActiveKernels().makeGray(image.Words(), image.PixelCount());
}

void BlendOnto(IconImage const& image, ScratchBitmap& surface, int32_t x, int32_t y)
{
    if (image.IsEmpty() || !surface.Pixels())
        return;
    // Unsigned, so that a negative position draws nothing.
    if (uint32_t(x) >= uint32_t(surface.Width()) || uint32_t(y) >= uint32_t(surface.Height()))
        return;
    uint32_t const columns = std::min(uint32_t(surface.Width() - x), image.Width());
    uint32_t const rows = std::min(uint32_t(surface.Height() - y), image.Height());
    auto const blendIcon = ActiveKernels().blendIcon;
    for (uint32_t j = 0; j < rows; ++j) {
        uint32_t const* source = image.Words() + size_t(image.Height() - 1 - j) * image.Width();
        blendIcon(surface.CursorAt(x, y + int32_t(j)).pixel, source, columns);
    }
}

}
