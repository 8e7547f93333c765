#pragma once

// 32-bit pixels as surfaces store them (0x00RRGGBB: blue in the low byte, the
// fourth byte on top), and the colour arithmetic done on them.

#include "platform/Types.h"

#include <cstdint>

namespace platform {

// A colour value (red in the low byte) as a pixel; the fourth byte stays 0.
constexpr uint32_t PixelOf(ColorRef color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// The same with the fourth byte set, as pictures with an alpha byte take it.
constexpr uint32_t OpaquePixelOf(ColorRef color)
{
    return 0xFF000000 | PixelOf(color);
}

constexpr int32_t RedOf(uint32_t pixel) { return int32_t(pixel >> 16 & 0xFF); }
constexpr int32_t GreenOf(uint32_t pixel) { return int32_t(pixel >> 8 & 0xFF); }
constexpr int32_t BlueOf(uint32_t pixel) { return int32_t(pixel & 0xFF); }

constexpr uint32_t PixelFrom(int32_t red, int32_t green, int32_t blue)
{
    return uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
}

// `weight` / 256 of the way from `channel` to `target`. The signed product
// shifts arithmetically, so the result lies between both.
constexpr int32_t ChannelTowards(int32_t channel, int32_t target, int32_t weight)
{
    return channel + (((target - channel) * weight) >> 8);
}

// Red, green and blue each `weight` / 256 of the way to the target's; the
// fourth byte becomes 0.
constexpr uint32_t Towards(uint32_t pixel, uint32_t target, int32_t weight)
{
    return PixelFrom(ChannelTowards(RedOf(pixel), RedOf(target), weight),
        ChannelTowards(GreenOf(pixel), GreenOf(target), weight), ChannelTowards(BlueOf(pixel), BlueOf(target), weight));
}

// Each of the three low bytes (red, green and blue of a pixel or of a colour
// value alike): (first * firstWeight + second * secondWeight) / divisor, truncated.
// The weights add up to the divisor; the fourth byte becomes 0.
constexpr uint32_t Mixed(uint32_t first, uint32_t second, int32_t firstWeight, int32_t secondWeight, int32_t divisor)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int32_t const from = int32_t(first >> shift & 0xFF);
        int32_t const to = int32_t(second >> shift & 0xFF);
        result |= uint32_t((firstWeight * from + secondWeight * to) / divisor) << shift;
    }
    return result;
}

}
