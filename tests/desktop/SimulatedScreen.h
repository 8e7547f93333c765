#pragma once

// What the simulated device shows for the same files, to compare the real
// X server's pixels with.

#include "tests/desktop/XvfbSession.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace desktop_tests {

// The panel's first window on `device`, once its animation is over, and
// where it stands; the panel reads the device's \VessarineSettings.ini.
std::vector<uint32_t> SimulatedPicture(testing_support::TestDevice& device, Geometry& where);

// The message box that the platform draws, on a simulated screen as large as the X server's.
std::vector<uint32_t> DrawnBox(std::u16string const& text, std::u16string const& caption, uint32_t flags, Geometry& where);

// Whether the box window `box` on the X server stands where that drawn box
// stands and shows its pixels (within a few seconds, for its first paint).
testing::AssertionResult ShowsTheDrawnBox(XvfbSession& x, XId box, std::u16string const& text,
    std::u16string const& caption, uint32_t flags);

}
