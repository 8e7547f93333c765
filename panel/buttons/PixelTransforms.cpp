#include "panel/buttons/PixelTransforms.h"

#include "panel/buttons/IconImage.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/draw/PixelColor.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace panel {

namespace {

// Byte positions within a pixel.
constexpr size_t kBlue = 0;
constexpr size_t kGreen = 1;
constexpr size_t kRed = 2;
constexpr size_t kAlpha = 3;

template<typename Change>
void ForEachVisiblePixel(IconImage& image, Change change)
{
    uint8_t* pixel = image.Pixels();
    uint8_t* const end = pixel + (image.IsEmpty() ? 0 : image.ByteCount());
    for (; pixel != end; pixel += 4) {
        if (pixel[kAlpha] != 0)
            change(pixel);
    }
}

uint8_t Scaled(uint8_t value, float factor)
{
    float v = float(value) * factor;
    if (255.0f < v)
        v = 255.0f;
    // Also catches a factor that is not a number.
    if (!(v > 0.0f))
        return 0;
    return uint8_t(int32_t(v));
}

uint8_t Added(uint8_t value, int16_t amount)
{
    return uint8_t(std::clamp(int32_t(value) + amount, 0, 255));
}

// Red, green, blue and alpha of every visible pixel, each changed by its own amount.
template<typename Amount>
void ChangeChannels(IconImage& image, std::array<Amount, 4> const& amounts, uint8_t (*change)(uint8_t, Amount))
{
    static constexpr size_t kChannels[] = { kRed, kGreen, kBlue, kAlpha };
    ForEachVisiblePixel(image, [&](uint8_t* pixel) {
        for (size_t i = 0; i < 4; ++i)
            pixel[kChannels[i]] = change(pixel[kChannels[i]], amounts[i]);
    });
}

}

float PercentFactor(int32_t percent)
{
    constexpr float kHundredth = std::bit_cast<float>(uint32_t(0x3C23D70A));
    return float(percent) * kHundredth;
}

void ScaleChannels(IconImage& image, float red, float green, float blue, float alpha)
{
    ChangeChannels<float>(image, { red, green, blue, alpha }, Scaled);
}

void AddChannels(IconImage& image, int16_t red, int16_t green, int16_t blue, int16_t alpha)
{
    ChangeChannels<int16_t>(image, { red, green, blue, alpha }, Added);
}

void MakeGray(IconImage& image)
{
    ForEachVisiblePixel(image, [](uint8_t* pixel) {
        uint8_t const mean = uint8_t((pixel[kRed] + pixel[kGreen] + pixel[kBlue]) / 3);
        pixel[kRed] = mean;
        pixel[kGreen] = mean;
        pixel[kBlue] = mean;
    });
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
    size_t const rowBytes = size_t(image.Width()) * 4;

    for (uint32_t j = 0; j < rows; ++j) {
        uint8_t const* source = image.Pixels() + size_t(image.Height() - 1 - j) * rowBytes;
        auto* target = reinterpret_cast<uint8_t*>(surface.CursorAt(x, y + int32_t(j)).pixel);
        for (uint32_t i = 0; i < columns; ++i, source += 4, target += 4) {
            int32_t const a = source[kAlpha];
            if (a == 255) {
                std::memcpy(target, source, 4);
            } else if (a != 0) {
                for (size_t c : { kBlue, kGreen, kRed })
                    target[c] = uint8_t(platform::ChannelTowards(target[c], source[c], a));
            }
        }
    }
}

}
