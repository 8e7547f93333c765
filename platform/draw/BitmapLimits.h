#pragma once

// The largest bitmap anyone may create or load. A handheld's screen is a few
// hundred pixels wide; these bounds only keep a broken file or a wrong size
// from asking for gigabytes.

#include <cstdint>

namespace platform {

constexpr int64_t kMaxBitmapSide = 16384;
constexpr int64_t kMaxBitmapPixels = int64_t(1) << 24;

constexpr bool IsAcceptableBitmapSize(int64_t width, int64_t height)
{
    return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide
        && width * height <= kMaxBitmapPixels;
}

}
