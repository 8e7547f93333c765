// Every vector kernel set this processor runs gives the reference's pixels:
// on seeded random rows of every length up to a few vectors, at every alpha,
// coverage and weight, and never touches a word beyond its row.

#include "platform/pixels/PixelKernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <limits>
#include <random>
#include <string>
#include <vector>

using namespace platform::pixels;

namespace {

constexpr uint32_t kGuard = 0xDEADBEEF;
constexpr size_t kLongest = 70;

class PixelKernelsTest : public testing::TestWithParam<Kernels const*> {
protected:
    Kernels const& Vector() const { return *GetParam(); }
    Kernels const& Reference() const { return ReferenceKernels(); }

    // `count` random words between two guards; the row starts at index 1.
    std::vector<uint32_t> GuardedRow(size_t count)
    {
        std::vector<uint32_t> row(count + 2, kGuard);
        for (size_t i = 1; i <= count; ++i)
            row[i] = uint32_t(random_());
        return row;
    }
    uint32_t Word() { return uint32_t(random_()); }
    uint8_t Byte() { return uint8_t(random_()); }

    std::mt19937 random_ { 20261208 };
};

// Runs `apply(kernels, row)` of both sets on copies of the same guarded row.
template<typename Apply>
void ExpectSameRow(Kernels const& vector, std::vector<uint32_t> const& row, Apply apply, std::string const& what)
{
    std::vector<uint32_t> expected = row;
    std::vector<uint32_t> actual = row;
    apply(ReferenceKernels(), expected.data() + 1);
    apply(vector, actual.data() + 1);
    ASSERT_EQ(actual.front(), kGuard) << what;
    ASSERT_EQ(actual.back(), kGuard) << what;
    ASSERT_EQ(actual, expected) << what;
}

TEST_P(PixelKernelsTest, FillsExactlyTheRow)
{
    std::vector<size_t> counts { 255, 256, 257, 1000, 1003 };
    for (size_t count = 0; count <= kLongest; ++count)
        counts.push_back(count);
    for (size_t count : counts) {
        uint32_t const pixel = Word();
        ExpectSameRow(Vector(), GuardedRow(count), [&](Kernels const& k, uint32_t* row) { k.fill(row, 0, count, 1, pixel); },
            "width " + std::to_string(count));
    }
}

TEST_P(PixelKernelsTest, CoverageBlendAtEveryCoverageAndWidth)
{
    for (size_t count = 0; count <= kLongest; ++count) {
        std::vector<uint8_t> coverage(count);
        for (uint8_t& c : coverage)
            c = random_() % 3 == 0 ? 0 : Byte();
        uint32_t const pixel = Word();
        ExpectSameRow(Vector(), GuardedRow(count),
            [&](Kernels const& k, uint32_t* row) { k.blendCoverage(row, 0, coverage.data(), 0, count, 1, pixel); },
            "width " + std::to_string(count));
    }
    std::vector<uint8_t> every(256);
    for (size_t c = 0; c < 256; ++c)
        every[c] = uint8_t(c);
    for (int round = 0; round < 32; ++round) {
        uint32_t const pixel = Word();
        ExpectSameRow(Vector(), GuardedRow(256),
            [&](Kernels const& k, uint32_t* row) { k.blendCoverage(row, 0, every.data(), 0, 256, 1, pixel); },
            "every coverage");
    }
}

// Areas run bottom-up through a picture, as surfaces store them, and the
// coverage map's rows may be longer than the part blended.
TEST_P(PixelKernelsTest, AreasTouchOnlyTheirRowsAndColumns)
{
    constexpr size_t kStride = 40;
    for (size_t width : { 1u, 3u, 4u, 7u, 8u, 9u, 16u, 17u, 31u }) {
        for (size_t rows : { 1u, 2u, 5u }) {
            std::vector<uint32_t> picture = GuardedRow(kStride * 6);
            std::vector<uint8_t> coverage(kStride * 6);
            for (uint8_t& c : coverage)
                c = Byte();
            uint32_t const pixel = Word();
            size_t const top = 1 + kStride * 5 + 3; // the picture's last row, column 3
            std::string const what = std::to_string(width) + " x " + std::to_string(rows);
            ExpectSameRow(Vector(), picture,
                [&](Kernels const& k, uint32_t*) { k.fill(nullptr, 0, 0, 0, pixel); }, "nothing, " + what);
            auto area = [&](auto draw) {
                return [&, draw](Kernels const& k, uint32_t* row) { draw(k, row - 1 + top); };
            };
            ExpectSameRow(Vector(), picture,
                area([&](Kernels const& k, uint32_t* at) { k.fill(at, -ptrdiff_t(kStride), width, rows, pixel); }),
                "fill " + what);
            ExpectSameRow(Vector(), picture, area([&](Kernels const& k, uint32_t* at) {
                k.blendCoverage(at, -ptrdiff_t(kStride), coverage.data() + 5, kStride, width, rows, pixel);
            }),
                "coverage " + what);
        }
    }
}

TEST_P(PixelKernelsTest, IconBlendAtEveryAlphaAndWidth)
{
    for (size_t count = 0; count <= kLongest; ++count) {
        std::vector<uint32_t> icon(count);
        for (uint32_t& word : icon) {
            uint32_t const kind = uint32_t(random_() % 4);
            uint32_t const alpha = kind == 0 ? 0 : kind == 1 ? 255 : Byte();
            word = (Word() & 0xFFFFFF) | alpha << 24;
        }
        ExpectSameRow(Vector(), GuardedRow(count),
            [&](Kernels const& k, uint32_t* row) { k.blendIcon(row, icon.data(), count); }, "width " + std::to_string(count));
    }
    // Long runs of clear and of opaque pixels, as icons have them.
    for (size_t count = 0; count <= kLongest; ++count) {
        std::vector<uint32_t> icon(count);
        for (size_t i = 0; i < count; ++i) {
            uint32_t const run = uint32_t(i / 9 % 3);
            uint32_t const alpha = run == 0 ? 0 : run == 1 ? 255 : Byte();
            icon[i] = (Word() & 0xFFFFFF) | alpha << 24;
        }
        ExpectSameRow(Vector(), GuardedRow(count),
            [&](Kernels const& k, uint32_t* row) { k.blendIcon(row, icon.data(), count); }, "runs, width " + std::to_string(count));
    }
    std::vector<uint32_t> icon(256);
    for (int round = 0; round < 32; ++round) {
        for (uint32_t alpha = 0; alpha < 256; ++alpha)
            icon[alpha] = (Word() & 0xFFFFFF) | alpha << 24;
        ExpectSameRow(Vector(), GuardedRow(256),
            [&](Kernels const& k, uint32_t* row) { k.blendIcon(row, icon.data(), 256); }, "every alpha");
    }
}

TEST_P(PixelKernelsTest, MovingTowardsAColourAtEveryWeight)
{
    for (uint32_t weight = 0; weight < 256; ++weight) {
        for (uint32_t mask : { 0xFFFFFFFFu, 0x00FFFFFFu }) {
            size_t const count = weight % (kLongest + 1);
            uint32_t const target = Word();
            ExpectSameRow(Vector(), GuardedRow(count),
                [&](Kernels const& k, uint32_t* row) { k.moveTowards(row, count, target, weight, mask); },
                "weight " + std::to_string(weight) + " width " + std::to_string(count));
        }
    }
}

TEST_P(PixelKernelsTest, SmoothingReadsOneWordAroundAndWritesOnlyTheRow)
{
    for (size_t count = 1; count <= kLongest; ++count) {
        // The neighbourhood reaches one word before and after the row.
        std::vector<uint32_t> above = GuardedRow(count);
        std::vector<uint32_t> here = GuardedRow(count);
        std::vector<uint32_t> below = GuardedRow(count);
        for (auto* rows : { &above, &here, &below }) {
            rows->front() = Word();
            rows->back() = Word();
        }
        uint32_t const tint = Word();
        std::vector<uint32_t> white(count + 2, 0xFFFFFFFF);
        ExpectSameRow(Vector(), GuardedRow(count),
            [&](Kernels const& k, uint32_t* row) {
                k.smoothPlain(row, above.data() + 1, here.data() + 1, below.data() + 1, count);
            },
            "plain, width " + std::to_string(count));
        ExpectSameRow(Vector(), GuardedRow(count),
            [&](Kernels const& k, uint32_t* row) {
                k.smoothTinted(row, above.data() + 1, here.data() + 1, below.data() + 1, count, tint);
            },
            "tinted, width " + std::to_string(count));
        // The largest sums: every byte 255 and a white tint.
        ExpectSameRow(Vector(), GuardedRow(count),
            [&](Kernels const& k, uint32_t* row) {
                k.smoothTinted(row, white.data() + 1, white.data() + 1, white.data() + 1, count, 0xFFFFFF);
            },
            "white, width " + std::to_string(count));
    }
}

TEST_P(PixelKernelsTest, RampsOfEveryLengthUpToTheLargestBitmap)
{
    std::vector<uint32_t> lengths;
    for (uint32_t steps = 1; steps <= 700; ++steps)
        lengths.push_back(steps);
    for (uint32_t steps : { 4095u, 8191u, 8192u, 16383u, 16384u })
        lengths.push_back(steps);
    for (uint32_t steps : lengths) {
        uint32_t const from = Word();
        uint32_t const to = steps % 7 == 0 ? from ^ 0xFFFFFF : Word();
        for (size_t count : { size_t(steps), size_t(steps / 2) }) {
            ExpectSameRow(Vector(), GuardedRow(count),
                [&](Kernels const& k, uint32_t* row) { k.ramp(row, count, from, to, steps); },
                "steps " + std::to_string(steps));
        }
    }
}

TEST_P(PixelKernelsTest, RecolouringLeavesTransparentPixelsAndSaturates)
{
    float const nan = std::numeric_limits<float>::quiet_NaN();
    float const infinity = std::numeric_limits<float>::infinity();
    std::vector<std::array<float, 4>> factorSets = { { 1, 1, 1, 1 }, { 0.5f, 2.0f, 1.3f, 0.7f }, { -1, 0, 300, 1e-3f },
        { nan, 1, infinity, -infinity }, { 0.99f, 1.01f, 100, -0.0f } };
    std::vector<std::array<int16_t, 4>> amountSets
        = { { 0, 0, 0, 0 }, { 10, -10, 300, -300 }, { 32767, -32768, 255, -255 }, { 1, 2, 3, -4 } };
    for (size_t count = 0; count <= kLongest; ++count) {
        std::vector<uint32_t> row = GuardedRow(count);
        for (size_t i = 1; i <= count; i += 3)
            row[i] &= 0x00FFFFFF; // transparent
        for (auto const& set : factorSets) {
            float const factors[4] = { set[0], set[1], set[2], set[3] };
            ExpectSameRow(Vector(), row, [&](Kernels const& k, uint32_t* pixels) { k.scaleChannels(pixels, count, factors); },
                "scale, width " + std::to_string(count));
        }
        for (auto const& set : amountSets) {
            int16_t const amounts[4] = { set[0], set[1], set[2], set[3] };
            ExpectSameRow(Vector(), row, [&](Kernels const& k, uint32_t* pixels) { k.addChannels(pixels, count, amounts); },
                "add, width " + std::to_string(count));
        }
        ExpectSameRow(Vector(), row, [&](Kernels const& k, uint32_t* pixels) { k.makeGray(pixels, count); },
            "gray, width " + std::to_string(count));
    }
}

TEST(PixelKernelChoice, ChoosesTheBestUnlessToldOtherwiseAndRestores)
{
    EXPECT_EQ(&ActiveKernels(), &BestKernels());
    {
        KernelChoice reference(ReferenceKernels());
        EXPECT_EQ(&ActiveKernels(), &ReferenceKernels());
    }
    EXPECT_EQ(&ActiveKernels(), &BestKernels());
    EXPECT_EQ(RunnableKernels().back(), &BestKernels());
}

std::string SetName(testing::TestParamInfo<Kernels const*> const& info)
{
    return info.param->name;
}

INSTANTIATE_TEST_SUITE_P(Runnable, PixelKernelsTest, testing::ValuesIn(RunnableKernels()), SetName);

}
