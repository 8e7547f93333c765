#include "panel/displays/BlurFilter.h"
#include "tests/panel/GaugePicture.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

using namespace panel;
using namespace platform;
using namespace gauge_test;
using namespace testing_support;

namespace {

class BlurFilterTest : public ::testing::Test {
protected:
    TestDevice device_;
};

TEST_F(BlurFilterTest, APlainPassSpreadsABrightPixelOverItsNeighbours)
{
    BackBuffer picture(0x000000, 10, 10);
    picture.Set(5, 5, 0xFFFFFF);
    BlurFilter().Apply(picture.Surface(), { 0, 0, 10, 10 }, PlainBlur(1));
    // 4/16 in the centre, 2/16 at the sides, 1/16 at the corners, truncated.
    ExpectPixels(picture, [](int32_t x, int32_t y) -> uint32_t {
        int32_t const distance = std::abs(x - 5) + std::abs(y - 5);
        if (std::abs(x - 5) > 1 || std::abs(y - 5) > 1)
            return 0;
        uint32_t const level = distance == 0 ? 63 : distance == 1 ? 31 : 15;
        return PixelRgb(level, level, level);
    }, "one plain pass");
}

TEST_F(BlurFilterTest, ATintedPassWeighsTheCentreAndPullsTowardsTheTint)
{
    BackBuffer picture(0x000000, 10, 10);
    picture.Set(5, 5, 0xFFFFFF);
    // Tint 400000: red 0x40 adds 4 x 64 / 32 = 8 to every red channel it writes.
    BlurFilter().Apply(picture.Surface(), { 0, 0, 10, 10 }, TintedBlur(0x000040, 1, 0));
    ExpectPixels(picture, [](int32_t x, int32_t y) -> uint32_t {
        if (x == 0 || y == 0 || x == 9 || y == 9)
            return 0; // the outermost ring is only read
        if (std::abs(x - 5) > 1 || std::abs(y - 5) > 1)
            return PixelRgb(8, 0, 0);
        int32_t const distance = std::abs(x - 5) + std::abs(y - 5);
        uint32_t const weight = distance == 0 ? 16 : distance == 1 ? 2 : 1;
        return PixelRgb((weight * 255 + 256) >> 5, (weight * 255) >> 5, (weight * 255) >> 5);
    }, "one tinted pass");
}

TEST_F(BlurFilterTest, PassesAccumulateOverAStepEdge)
{
    auto step = [](int32_t x, int32_t) -> uint32_t { return x < 5 ? 0 : PixelRgb(200, 100, 0); };
    BackBuffer once(0, 10, 10);
    once.Fill(step);
    BlurFilter().Apply(once.Surface(), { 0, 0, 10, 10 }, PlainBlur(1));
    ExpectPixels(once, [&](int32_t x, int32_t y) -> uint32_t {
        if (x == 0 || y == 0 || x == 9 || y == 9)
            return step(x, y);
        // Weights 4 : 8 : 4 across the columns of a vertically even picture.
        return x == 4 ? PixelRgb(50, 25, 0) : x == 5 ? PixelRgb(150, 75, 0) : step(x, y);
    }, "one pass over the step");

    BackBuffer twice(0, 10, 10);
    twice.Fill(step);
    BlurFilter().Apply(twice.Surface(), { 0, 0, 10, 10 }, PlainBlur(2));
    // Away from the ring the second pass starts from the first one's result.
    uint32_t const expected[] = { 0, 0, PixelRgb(12, 6, 0), PixelRgb(62, 31, 0), PixelRgb(137, 68, 0), PixelRgb(187, 93, 0),
        PixelRgb(200, 100, 0), PixelRgb(200, 100, 0) };
    for (int32_t y = 2; y <= 7; ++y) {
        for (int32_t x = 1; x <= 8; ++x)
            EXPECT_EQ(twice.At(x, y), expected[x - 1]) << x << "," << y;
    }
}

TEST_F(BlurFilterTest, RectanglesBeyondTheSurfaceOrTheScratchAreCut)
{
    auto dots = [](int32_t x, int32_t y) -> uint32_t { return (x * 7 + y * 3) % 11 == 0 ? 0xFFFFFF : 0x102030; };
    BackBuffer inside(0, 40, 30);
    inside.Fill(dots);
    BlurFilter().Apply(inside.Surface(), { 0, 0, 40, 30 }, PlainBlur(2));
    BackBuffer beyond(0, 40, 30);
    beyond.Fill(dots);
    BlurFilter().Apply(beyond.Surface(), { -20, -5, 400, 300 }, PlainBlur(2));
    EXPECT_TRUE(beyond.SamePixels(inside));

    // Nothing at all on a rectangle off the surface or too small to have an inside.
    for (Rect rect : { Rect { 50, 0, 90, 30 }, Rect { -30, -30, -1, -1 }, Rect { 5, 5, 7, 20 }, Rect { 20, 10, 10, 5 } }) {
        BackBuffer untouched(0, 40, 30);
        untouched.Fill(dots);
        BlurFilter().Apply(untouched.Surface(), rect, TintedBlur(0x00FFFFFF, 1, 1));
        ExpectPixels(untouched, dots, "off the surface");
    }

    // The plain scratch holds 320 x 48 pixels: only that much of the rectangle, from its corner.
    BackBuffer wide(0, 400, 60);
    wide.Fill(dots);
    BlurFilter().Apply(wide.Surface(), { 0, 0, 400, 60 }, PlainBlur(1));
    BackBuffer part(0, 400, 60);
    part.Fill(dots);
    BlurFilter().Apply(part.Surface(), { 0, 0, 320, 48 }, PlainBlur(1));
    EXPECT_TRUE(wide.SamePixels(part));
    EXPECT_FALSE(part.SamePixelsIn(BackBuffer(0, 400, 60), { 1, 1, 319, 47 }));
    ExpectPixels(part, [&](int32_t x, int32_t y) { return x >= 319 || y >= 47 ? dots(x, y) : part.At(x, y); }, "beyond the scratch");
}

}
