#pragma once

// The plain colours the drawing tests paint and read back, as the surfaces
// hold them: 0xRRGGBB.

#include <cstdint>

namespace testing_support::pixels {

inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kRed = 0xFF0000;
inline constexpr uint32_t kGreen = 0x00FF00;
inline constexpr uint32_t kBlue = 0x0000FF;
inline constexpr uint32_t kYellow = 0xFFFF00;

}
