#include "panel/buttons/IconImage.h"
#include "panel/buttons/PixelTransforms.h"
#include "panel/displays/ScratchBitmap.h"
#include "tests/panel/IconPicture.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <vector>

using namespace panel;
using namespace icon_test;
using testing_support::TestDevice;

namespace {

TEST(PixelTransformsTest, ScalingTruncatesTheSinglePrecisionProductAndCapsIt)
{
    EXPECT_EQ(std::bit_cast<uint32_t>(PercentFactor(1)), 0x3C23D70Au);

    auto image = Picture(3, 1, { 0xFF64FF10, 0x00FFFFFF, 0x80FF0A00 });
    ScaleChannels(image, PercentFactor(33), PercentFactor(200), PercentFactor(100), PercentFactor(50));
    // 100 and 255 times 33 × 0.01: 33 and 84; green doubled up to 255; alpha 255 halved to 127.
    EXPECT_EQ(PixelsOf(image), (std::vector<uint32_t> { 0x7F21FF10, 0x00FFFFFF, 0x40541400 }));
}

TEST(PixelTransformsTest, ScalingFollowsThePercentTimesHundredthInSinglePrecision)
{
    // 5 × 0.01 in single precision falls just short of 0.05: 5 % of 100 is 4, of 20 is 0.
    auto image = Picture(2, 1, { 0xFF640000, 0xFF140000 });
    ScaleChannels(image, PercentFactor(5), 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(PixelsOf(image), (std::vector<uint32_t> { 0xFF040000, 0xFF000000 }));
}

TEST(PixelTransformsTest, NegativeOrUnsettledFactorsGiveZero)
{
    auto image = Picture(2, 1, { 0xFF808080, 0xFFFFFFFF });
    ScaleChannels(image, PercentFactor(-50), PercentFactor(INT32_MIN), std::bit_cast<float>(0x7FC00000u), 1.0f);
    EXPECT_EQ(PixelsOf(image), (std::vector<uint32_t> { 0xFF000000, 0xFF000000 }));
}

TEST(PixelTransformsTest, AddingKeepsEveryChannelWithinABytesRange)
{
    auto image = Picture(4, 1, { 0xC8FF2010, 0x00FF2010, 0x01102030, 0xC80A0000 });
    AddChannels(image, -300, 5, 300, 100);
    // Alpha 200 + 100 caps at 255; the transparent pixel stays as it was.
    EXPECT_EQ(PixelsOf(image), (std::vector<uint32_t> { 0xFF0025FF, 0x00FF2010, 0x650025FF, 0xFF0005FF }));

    // Visibility is judged before the pixel changes: a pixel made transparent still gets its colour.
    auto fading = Picture(1, 1, { 0xC80A0000 });
    AddChannels(fading, 5, 0, 0, -255);
    EXPECT_EQ(PixelsOf(fading), (std::vector<uint32_t> { 0x000F0000 }));
}

TEST(PixelTransformsTest, GrayIsTheTruncatedMeanOfTheVisiblePixels)
{
    auto image = Picture(3, 1, { 0x801F140A, 0x001F140A, 0xFFFFFFFE });
    MakeGray(image);
    EXPECT_EQ(PixelsOf(image), (std::vector<uint32_t> { 0x80141414, 0x001F140A, 0xFFFEFEFE }));
}

TEST(PixelTransformsTest, EmptyImagesAreLeftAlone)
{
    IconImage empty;
    ScaleChannels(empty, 0.5f, 0.5f, 0.5f, 0.5f);
    AddChannels(empty, 1, 1, 1, 1);
    MakeGray(empty);
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(empty.Pixels(), nullptr);
}

class BlendOntoTest : public ::testing::Test {
protected:
    TestDevice device_;
};

TEST_F(BlendOntoTest, AlphaWeighsByA256thAndShiftsTowardsMinusInfinity)
{
    ScratchBitmap surface(5, 2, true);
    // White with an empty fourth byte above, black with a marked one below.
    Fill(surface, { 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF,
                    0x42000000, 0x42000000, 0x42000000, 0x42000000, 0x42000000 });
    std::vector<uint32_t> source;
    for (int row = 0; row < 2; ++row) {
        for (uint32_t alpha : { 0u, 1u, 128u, 254u, 255u })
            source.push_back(alpha << 24 | 0x000080FF);
    }
    BlendOnto(Picture(5, 2, source), surface, 0, 0);
    EXPECT_EQ(Shown(surface), (std::vector<uint32_t> {
        0x00FFFFFF, 0x00FEFEFF, 0x007FBFFF, 0x000180FF, 0xFF0080FF,
        0x42000000, 0x42000000, 0x4200407F, 0x42007FFD, 0xFF0080FF,
    }));

    Fill(surface, std::vector<uint32_t>(10, 0x00C80000));
    BlendOnto(Picture(1, 1, { 0x80000000 }), surface, 4, 1);
    EXPECT_EQ(*surface.CursorAt(4, 1).pixel, 0x00640000u);
    EXPECT_EQ(*surface.CursorAt(3, 1).pixel, 0x00C80000u);
}

TEST_F(BlendOntoTest, OnlyWhatLiesOnTheSurfaceIsDrawn)
{
    ScratchBitmap surface(4, 3, true);
    std::vector<uint32_t> const background(12, 0x00101010);
    // Rows and columns all different, so that a flipped or shifted picture shows.
    auto const image = Picture(3, 3, { 0xFF000001, 0xFF000002, 0xFF000003,
                                       0xFF000004, 0xFF000005, 0xFF000006,
                                       0xFF000007, 0xFF000008, 0xFF000009 });
    // What the surface shows once the image is blended onto a fresh background at (x, y).
    auto blendedAt = [&](int32_t x, int32_t y) {
        Fill(surface, background);
        BlendOnto(image, surface, x, y);
        return Shown(surface);
    };
    EXPECT_EQ(blendedAt(2, 1), (std::vector<uint32_t> {
        0x00101010, 0x00101010, 0x00101010, 0x00101010,
        0x00101010, 0x00101010, 0xFF000001, 0xFF000002,
        0x00101010, 0x00101010, 0xFF000004, 0xFF000005,
    }));
    EXPECT_EQ(blendedAt(0, 0), (std::vector<uint32_t> {
        0xFF000001, 0xFF000002, 0xFF000003, 0x00101010,
        0xFF000004, 0xFF000005, 0xFF000006, 0x00101010,
        0xFF000007, 0xFF000008, 0xFF000009, 0x00101010,
    }));

    // Positions off the surface, negative ones included, draw nothing at all.
    for (auto [x, y] : { std::pair(-1, 0), std::pair(0, -1), std::pair(-2, -2), std::pair(4, 0), std::pair(0, 3),
             std::pair(INT32_MIN, 0), std::pair(0, INT32_MAX) })
        EXPECT_EQ(blendedAt(x, y), background) << x << "," << y;
}

}
