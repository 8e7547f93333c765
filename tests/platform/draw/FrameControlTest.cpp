#include "platform/Drawing.h"
#include "tests/platform/draw/DrawTestSupport.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace platform;
using testing_support::SectionDc;
using testing_support::TestDevice;

namespace {

using Picture = std::vector<std::string>;

constexpr uint32_t kBackground = 0x0000FF;

class FrameControlTest : public ::testing::Test {
protected:
    // W highlight, L light, F face, S shadow, D dark shadow, '.' untouched.
    static Picture Look(SectionDc const& section)
    {
        return section.Picture({ { 0xFFFFFF, 'W' }, { 0xE0E0E0, 'L' }, { 0xC0C0C0, 'F' }, { 0x808080, 'S' },
            { 0x000000, 'D' }, { kBackground, '.' } });
    }

    static bool Draw(SectionDc const& section, Rect rect, uint32_t state, uint32_t type = FrameControl::Button)
    {
        return DrawFrameControl(section.Dc(), rect, type, state);
    }

    TestDevice device_;
};

}

TEST_F(FrameControlTest, TheClassicSchemeAnswersWithAndWithoutTheIndexFlag)
{
    EXPECT_EQ(GetSysColor(SystemColor::ButtonFace), Rgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(GetSysColor(0x4000000F), Rgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(GetSysColor(SystemColor::IndexFlag | SystemColor::ButtonShadow), Rgb(0x80, 0x80, 0x80));
    EXPECT_EQ(GetSysColor(SystemColor::ButtonHighlight), Rgb(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(GetSysColor(SystemColor::DarkShadow), Rgb(0, 0, 0));
    EXPECT_EQ(GetSysColor(SystemColor::Light), Rgb(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(GetSysColor(SystemColor::ButtonText), Rgb(0, 0, 0));
    // Colours the platform does not have are black.
    for (int32_t index : { -1, 25, 1000, INT32_MIN, SystemColor::IndexFlag | 25 })
        EXPECT_EQ(GetSysColor(index), 0u) << index;
}

TEST_F(FrameControlTest, ARaisedButtonIsLightTopLeftAndDarkBottomRight)
{
    SectionDc section(8, 6, kBackground);
    ASSERT_TRUE(Draw(section, { 1, 1, 7, 6 }, FrameControl::PushButton));
    EXPECT_EQ(Look(section), (Picture {
        "........",
        ".WWWWWD.",
        ".WLLLSD.",
        ".WLFFSD.",
        ".WSSSSD.",
        ".DDDDDD.",
    }));
}

TEST_F(FrameControlTest, APushedButtonSinksWithDarkEdgesTopLeft)
{
    SectionDc section(8, 6, kBackground);
    ASSERT_TRUE(Draw(section, { 1, 1, 7, 6 }, FrameControl::PushButton | FrameControl::Pushed));
    EXPECT_EQ(Look(section), (Picture {
        "........",
        ".DDDDDW.",
        ".DSSSLW.",
        ".DSFFLW.",
        ".DLLLLW.",
        ".WWWWWW.",
    }));
}

TEST_F(FrameControlTest, SmallAndEmptyRectanglesDrawOnlyWhatFitsInside)
{
    SectionDc section(5, 4, kBackground);
    ASSERT_TRUE(Draw(section, { 1, 1, 4, 3 }, FrameControl::PushButton));
    EXPECT_EQ(Look(section), (Picture { ".....", ".WWD.", ".DDD.", "....." }));

    section.Fill(kBackground);
    ASSERT_TRUE(Draw(section, { 1, 1, 2, 4 }, FrameControl::PushButton));
    ASSERT_TRUE(Draw(section, { 3, 1, 3, 4 }, FrameControl::PushButton));
    ASSERT_TRUE(Draw(section, { 4, 3, 2, 1 }, FrameControl::PushButton));
    EXPECT_EQ(Look(section), (Picture { ".....", ".D...", ".D...", ".D..." }));
}

TEST_F(FrameControlTest, TheButtonIsClippedAtTheBitmapsEdges)
{
    SectionDc section(5, 4, kBackground);
    ASSERT_TRUE(Draw(section, { -2, -2, 4, 3 }, FrameControl::PushButton | FrameControl::Pushed));
    EXPECT_EQ(Look(section), (Picture { "FFLW.", "LLLW.", "WWWW.", "....." }));

    section.Fill(kBackground);
    ASSERT_TRUE(Draw(section, { INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX }, FrameControl::PushButton));
    EXPECT_EQ(Look(section), (Picture(4, "FFFFF")));
}

TEST_F(FrameControlTest, AdjustRectLeavesTheFaceInTheRectangle)
{
    SectionDc section(8, 6, kBackground);
    Rect rect { 1, 1, 7, 6 };
    ASSERT_TRUE(DrawFrameControl(section.Dc(), rect, FrameControl::Button,
        FrameControl::PushButton | FrameControl::AdjustRect));
    EXPECT_EQ(rect, (Rect { 3, 3, 5, 4 }));
    Rect unchanged { 1, 1, 7, 6 };
    ASSERT_TRUE(DrawFrameControl(section.Dc(), unchanged, FrameControl::Button, FrameControl::PushButton));
    EXPECT_EQ(unchanged, (Rect { 1, 1, 7, 6 }));
}

TEST_F(FrameControlTest, OtherTypesKindsAndContextsDrawNothing)
{
    SectionDc section(6, 5, kBackground);
    Rect rect { 0, 0, 6, 5 };
    EXPECT_FALSE(Draw(section, rect, FrameControl::PushButton, 3));
    // The check box and the radio button are other kinds of the button type.
    EXPECT_FALSE(Draw(section, rect, 0x0000));
    EXPECT_FALSE(Draw(section, rect, 0x0004 | FrameControl::Pushed));
    EXPECT_FALSE(DrawFrameControl(DeviceContext { 0xBAD }, rect, FrameControl::Button, FrameControl::PushButton));
    EXPECT_EQ(Look(section), (Picture(5, "......")));
}
