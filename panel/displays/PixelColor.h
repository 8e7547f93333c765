#pragma once

// Colour values (red in the low byte) as the back buffer stores them
// (0x00RRGGBB, blue in the low byte), and their channels.

#include "platform/Types.h"

#include <cstdint>

namespace panel {

constexpr uint32_t PixelOf(platform::ColorRef color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

constexpr int32_t RedOf(uint32_t pixel) { return int32_t(pixel >> 16 & 0xFF); }
constexpr int32_t GreenOf(uint32_t pixel) { return int32_t(pixel >> 8 & 0xFF); }
constexpr int32_t BlueOf(uint32_t pixel) { return int32_t(pixel & 0xFF); }

constexpr uint32_t PixelFrom(int32_t red, int32_t green, int32_t blue)
{
    return uint32_t(red) << 16 | uint32_t(green) << 8 | uint32_t(blue);
}

}
