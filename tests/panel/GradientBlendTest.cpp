#include "panel/displays/GradientBlend.h"
#include "panel/displays/ScratchBitmap.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using namespace panel;
using platform::Rect;
using testing_support::TestDevice;

namespace {

// Every pixel different, so that a pixel written in the wrong place shows.
uint32_t Pattern(int32_t x, int32_t y) { return 0xFF000000 | uint32_t(x * 37 + y * 11) << 16 | uint32_t(x * 5) << 8 | uint32_t(y * 23 + 7); }

class GradientBlendTest : public ::testing::Test {
protected:
    GradientBlendTest()
        : surface_(20, 12, true)
    {
        for (int32_t y = 0; y < surface_.Height(); ++y) {
            for (int32_t x = 0; x < surface_.Width(); ++x)
                *surface_.CursorAt(x, y).pixel = Pattern(x, y);
        }
    }

    uint32_t At(int32_t x, int32_t y) const { return *surface_.CursorAt(x, y).pixel; }

    // The band as a row-by-row recipe: `rows` rows ending at `lastRow`, each
    // channel stepping from the bottom colour towards the top one, mixed in by
    // the row's alpha with the product shifted (rounded towards minus infinity).
    static uint32_t Expected(uint32_t old, uint32_t top, uint32_t bottom, int64_t rows, int64_t rowsAboveBottom)
    {
        auto channel = [](uint32_t colour, int shift) { return int64_t(colour >> shift & 0xFF); };
        int64_t const k = rowsAboveBottom;
        int64_t const alpha = (channel(bottom, 24) * (rows - k) + channel(top, 24) * k) / rows;
        uint32_t result = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            int64_t const target = (channel(bottom, shift) * (rows - k) + channel(top, shift) * k) / rows;
            int64_t const ch = channel(old, shift);
            int64_t product = (target - ch) * alpha;
            int64_t const step = product >= 0 ? product / 256 : -((-product + 255) / 256);
            result |= uint32_t(ch + step) << shift;
        }
        return result;
    }

    // Pixels inside `band` (already cut to the surface) follow the recipe for a
    // gradient of `rows` rows whose bottom row is `lastRow`; all others keep the pattern.
    void ExpectBand(Rect const& band, int64_t rows, int32_t lastRow, uint32_t top, uint32_t bottom) const
    {
        for (int32_t y = 0; y < surface_.Height(); ++y) {
            for (int32_t x = 0; x < surface_.Width(); ++x) {
                bool const inside = band.Contains({ x, y });
                uint32_t const want = inside ? Expected(Pattern(x, y), top, bottom, rows, lastRow - y) : Pattern(x, y);
                EXPECT_EQ(At(x, y), want) << x << "," << y;
            }
        }
    }

    TestDevice device_;
    ScratchBitmap surface_;
};

TEST_F(GradientBlendTest, OpaqueRowsStepFromTheBottomColourTowardsTheTopOne)
{
    ScratchBitmap black(1, 4, true);
    ScratchBitmap white(1, 1, true);
    for (int32_t y = 0; y < 4; ++y)
        *black.CursorAt(0, y).pixel = 0xFF000000;
    *white.CursorAt(0, 0).pixel = 0xFFFFFFFF;

    GradientBlend(black, { 0, 0, 1, 4 }, 0xFF000000, 0xFFFFFFFF);
    // Worked by hand: targets 63, 127, 191, 255 from the top, each 255/256 of the way.
    EXPECT_EQ(*black.CursorAt(0, 0).pixel & 0xFFFFFF, 0x3E3E3Eu);
    EXPECT_EQ(*black.CursorAt(0, 1).pixel & 0xFFFFFF, 0x7E7E7Eu);
    EXPECT_EQ(*black.CursorAt(0, 2).pixel & 0xFFFFFF, 0xBEBEBEu);
    EXPECT_EQ(*black.CursorAt(0, 3).pixel & 0xFFFFFF, 0xFEFEFEu);

    // Darkening rounds down: black over white reaches black exactly.
    GradientBlend(white, { 0, 0, 1, 1 }, 0xFF000000, 0xFF000000);
    EXPECT_EQ(*white.CursorAt(0, 0).pixel & 0xFFFFFF, 0x000000u);

    Rect const band { 3, 2, 15, 9 };
    GradientBlend(surface_, band, 0xFF204080, 0xFFF0C010);
    ExpectBand(band, 7, 8, 0xFF204080, 0xFFF0C010);
}

TEST_F(GradientBlendTest, AlphaStepsLikeAChannelAndSaysHowMuchChanges)
{
    Rect const band { 0, 0, 20, 12 };
    GradientBlend(surface_, band, 0x00FFFFFF, 0xC0000000);
    ExpectBand(band, 12, 11, 0x00FFFFFF, 0xC0000000);
    // The top row's alpha is 0xC0 / 12 = 16: the pattern shows almost unchanged.
    uint32_t const topLeft = At(0, 0);
    EXPECT_NEAR(double(topLeft >> 16 & 0xFF), double(Pattern(0, 0) >> 16 & 0xFF), 16.0);
}

TEST_F(GradientBlendTest, OnlyThePartOnTheSurfaceIsTouched)
{
    // Past the right and bottom edges: cut there, and the gradient ends at the bottom edge.
    GradientBlend(surface_, { 14, 5, 40, 30 }, 0xFF102030, 0xFFE0D0C0);
    ExpectBand({ 14, 5, 20, 12 }, 7, 11, 0xFF102030, 0xFFE0D0C0);
}

TEST_F(GradientBlendTest, BandsBeyondTheLeftOrTopEdgeKeepTheirShareOfTheGradient)
{
    // Rows above the surface count for the gradient but are not written.
    GradientBlend(surface_, { -5, -3, 6, 4 }, 0xFF0000FF, 0xFFFF0000);
    ExpectBand({ 0, 0, 6, 4 }, 7, 3, 0xFF0000FF, 0xFFFF0000);
}

TEST_F(GradientBlendTest, BandsOffTheSurfaceOrWithoutAreaChangeNothing)
{
    Rect const nothing[] = {
        { 20, 0, 25, 5 }, // left edge at the right edge
        { 0, 12, 5, 20 }, // top edge at the bottom edge
        { -10, 0, 0, 5 }, // wholly left of the surface
        { 0, -10, 5, 0 }, // wholly above it
        { 5, 5, 5, 9 }, // no width
        { 5, 5, 9, 5 }, // no height
        { 9, 5, 4, 8 }, // reversed
        { INT32_MIN, INT32_MIN, INT32_MAX, INT32_MIN + 1 },
    };
    for (Rect const& rect : nothing)
        GradientBlend(surface_, rect, 0xFFFFFFFF, 0xFFFFFFFF);
    ExpectBand({}, 1, 0, 0, 0);

    // The whole plane: every pixel, and the gradient spans the rows down to the bottom edge only.
    GradientBlend(surface_, { INT32_MIN, INT32_MIN + 2, INT32_MAX, INT32_MAX }, 0xFF00FF00, 0xFF00FF00);
    for (int32_t y = 0; y < 12; ++y) {
        for (int32_t x = 0; x < 20; ++x)
            EXPECT_EQ(At(x, y) >> 8 & 0xFF, (Pattern(x, y) >> 8 & 0xFF) + ((255 - (Pattern(x, y) >> 8 & 0xFF)) * 255 >> 8));
    }
}

}
