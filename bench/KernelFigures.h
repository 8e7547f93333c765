#pragma once

// The figures of the pixel kernels, by family. Each compares as it goes and
// needs a simulated device in place.

namespace bench {

class RatioHarness;

// Our screen is 480 x 272 pixels of four bytes.
constexpr int kScreenWidth = 480;
constexpr int kScreenHeight = 272;

// Filling and copying through device contexts, against memset and memcpy.
void CompareFillAndCopy(RatioHarness& harness);
// Icons blended in, against pixman.
void CompareIconBlend(RatioHarness& harness);
// A line of text's coverage blended in, against pixman.
void CompareTextBlend(RatioHarness& harness);
// The smoothing pass, against OpenCV.
void CompareBlur(RatioHarness& harness);
// Our active kernels against the reference set, through the panel's drawing.
void CompareWithReference(RatioHarness& harness);

}
