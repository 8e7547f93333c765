// The panel's drawing gives the same picture, every byte of every pixel, on
// each vector kernel set as on the scalar reference: icons, text, fills,
// gradients, blurs and cool bars placed across every edge of the surface,
// with widths that are no whole number of vectors.

#include "panel/buttons/IconImage.h"
#include "panel/buttons/PixelTransforms.h"
#include "panel/displays/BlurFilter.h"
#include "panel/displays/CoolBar.h"
#include "panel/displays/GradientBlend.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Drawing.h"
#include "platform/pixels/PixelKernels.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace panel;
using namespace platform;
using platform::pixels::Kernels;
using testing_support::TestDevice;

namespace {

constexpr int32_t kWidth = 61;
constexpr int32_t kHeight = 37;

// Places that reach over each edge, touch it, or lie just inside.
std::vector<Point> EdgePlaces(int32_t width, int32_t height)
{
    std::vector<Point> places;
    for (int32_t x : { -width - 1, -width / 2, -1, 0, 1, 7, kWidth - width - 1, kWidth - width, kWidth - width / 2, kWidth - 1, kWidth }) {
        for (int32_t y : { -height / 2, -1, 0, 3, kHeight - height, kHeight - height / 2, kHeight - 1 })
            places.push_back({ x, y });
    }
    return places;
}

class KernelSetsTest : public testing::TestWithParam<Kernels const*> {
protected:
    using Drawing = std::function<void(ScratchBitmap&)>;

    // Draws on two surfaces of the same random pixels, one with the reference
    // kernels and one with the set under test, and compares every word.
    void ExpectSamePicture(Drawing const& draw, std::string const& what)
    {
        ScratchBitmap reference(kWidth, kHeight, true);
        ScratchBitmap vector(kWidth, kHeight, true);
        uint32_t const seed = uint32_t(random_());
        FillRandom(reference, seed);
        FillRandom(vector, seed);
        {
            pixels::KernelChoice choice(pixels::ReferenceKernels());
            draw(reference);
        }
        {
            pixels::KernelChoice choice(*GetParam());
            draw(vector);
        }
        for (int32_t y = 0; y < kHeight; ++y) {
            for (int32_t x = 0; x < kWidth; ++x) {
                ASSERT_EQ(*vector.CursorAt(x, y).pixel, *reference.CursorAt(x, y).pixel)
                    << what << " at (" << x << ", " << y << ")";
            }
        }
    }

    static void FillRandom(ScratchBitmap& surface, uint32_t seed)
    {
        std::mt19937 random(seed);
        for (int32_t y = 0; y < surface.Height(); ++y) {
            for (int32_t x = 0; x < surface.Width(); ++x)
                *surface.CursorAt(x, y).pixel = uint32_t(random());
        }
    }

    IconImage RandomIcon(uint32_t width, uint32_t height)
    {
        IconImage icon(width, height);
        for (size_t i = 0; i < icon.PixelCount(); ++i) {
            uint32_t const kind = uint32_t(random_() % 3);
            uint32_t const alpha = kind == 0 ? 0 : kind == 1 ? 255 : uint32_t(random_() % 256);
            icon.Words()[i] = (uint32_t(random_()) & 0xFFFFFF) | alpha << 24;
        }
        return icon;
    }

    TestDevice device_;
    std::mt19937 random_ { 8122026 };
};

TEST_P(KernelSetsTest, IconsAcrossEveryEdge)
{
    for (auto [width, height] : { std::pair { 13u, 9u }, std::pair { 48u, 48u }, std::pair { 1u, 1u } }) {
        IconImage const icon = RandomIcon(width, height);
        for (Point place : EdgePlaces(int32_t(width), int32_t(height))) {
            ExpectSamePicture([&](ScratchBitmap& surface) { BlendOnto(icon, surface, place.x, place.y); },
                "icon " + std::to_string(width) + " at " + std::to_string(place.x) + ", " + std::to_string(place.y));
        }
    }
}

TEST_P(KernelSetsTest, RecolouredIconsAreAlike)
{
    IconImage reference = RandomIcon(29, 7);
    IconImage vector = RandomIcon(29, 7);
    std::copy_n(reference.Words(), reference.PixelCount(), vector.Words());
    auto recolour = [](IconImage& icon) {
        ScaleChannels(icon, PercentFactor(130), PercentFactor(45), PercentFactor(-20), PercentFactor(101));
        AddChannels(icon, 40, -300, 7, -12);
        MakeGray(icon);
    };
    {
        pixels::KernelChoice choice(pixels::ReferenceKernels());
        recolour(reference);
    }
    {
        pixels::KernelChoice choice(*GetParam());
        recolour(vector);
    }
    EXPECT_TRUE(std::equal(reference.Words(), reference.Words() + reference.PixelCount(), vector.Words()));
}

TEST_P(KernelSetsTest, TextAndFillsAcrossEveryEdge)
{
    for (Point place : EdgePlaces(30, 14)) {
        ExpectSamePicture(
            [&](ScratchBitmap& surface) {
                SetBkMode(surface.Dc(), BackgroundMode::Transparent);
                SetTextColor(surface.Dc(), Rgb(0x20, 0xC0, 0x70));
                Rect rect = Rect::FromSize(place.x, place.y, 40, 16);
                DrawText(surface.Dc(), u"Akku 87 %", -1, rect, TextFormat::SingleLine | TextFormat::NoClip);
                BrushHandle brush = CreateSolidBrush(Rgb(0x11, 0x22, 0x33));
                FillRect(surface.Dc(), Rect::FromSize(place.x, place.y, 30, 14), brush);
                DeleteObject(brush);
            },
            "text at " + std::to_string(place.x) + ", " + std::to_string(place.y));
    }
}

TEST_P(KernelSetsTest, GradientsBlursAndCoolBarsAcrossEveryEdge)
{
    BlurFilter blur;
    for (Point place : EdgePlaces(23, 11)) {
        std::string const where = std::to_string(place.x) + ", " + std::to_string(place.y);
        Rect const area = Rect::FromSize(place.x, place.y, 23, 11);
        ExpectSamePicture([&](ScratchBitmap& surface) { GradientBlend(surface, area, 0xC0F0E0D0, 0x40102030); },
            "gradient at " + where);
        ExpectSamePicture([&](ScratchBitmap& surface) { blur.Apply(surface, area, TintedBlur(0x40A0FF, 1, 2)); },
            "blur at " + where);
        ExpectSamePicture(
            [&](ScratchBitmap& surface) {
                CoolBarRequest bar;
                bar.leftColor = 0x0000FF;
                bar.centerColor = 0x00C060;
                bar.rightColor = 0x00FF00;
                bar.x = place.x;
                bar.y = place.y;
                bar.width = 23;
                bar.height = 11;
                bar.stripeSpacing = 4;
                bar.fraction = 700;
                bar.text = u"68%";
                RenderCoolBar(surface, bar);
            },
            "cool bar at " + where);
    }
}

std::string SetName(testing::TestParamInfo<Kernels const*> const& info)
{
    return info.param->name;
}

INSTANTIATE_TEST_SUITE_P(Runnable, KernelSetsTest, testing::ValuesIn(pixels::RunnableKernels()), SetName);

}
