#include "panel/displays/CoolBar.h"
#include "panel/displays/MemoryInfo.h"
#include "tests/panel/GaugePicture.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace panel;
using namespace platform;
using namespace gauge_test;
using namespace testing_support;

namespace {

using MemoryInfoTest = GaugeObjectTest<MemoryInfo>;

TEST_F(MemoryInfoTest, ASectionWithOnlyAPlaceShowsThePhysicalGauge)
{
    auto memory = Read({ u"x=10", u"y=5", u"Width=120" });
    int32_t const line = LineHeight();
    EXPECT_EQ(memory->ShowFlags(), 0x155u);
    EXPECT_EQ(memory->GetInterval(), 600000u);
    EXPECT_EQ(memory->GetWidth(), 120);
    EXPECT_EQ(memory->GetHeight(), 3 * line + 4 + 2);

    auto picture = Drawn(*memory);
    // Label and value (32 MB of 64 MB by default) as the platform draws them; the cool bar below.
    auto expected = LinesAlone(kPaper, { { u"Physical Memory", Rect::FromSize(10, 5, 120, line) },
        { u"32.00MB / 64.00MB", Rect::FromSize(10, 5 + line + 2, 120, line) } });
    int32_t const barTop = 5 + 2 * (line + 2);
    EXPECT_TRUE(picture->SamePixelsIn(*expected, { 0, 0, 200, barTop }));
    EXPECT_TRUE(HasBarRing(*picture, barTop, line));
    // Half the inside is filled: the end line stands at 1 + 118 / 2.
    for (int32_t y = barTop; y < barTop + line; ++y)
        EXPECT_EQ(picture->At(10 + 60, y), 0u) << y;
    EXPECT_EQ(picture->Changed().bottom, barTop + line);

    // Measured in the panel's font: a larger one makes the gauge taller.
    DeviceContext screen = GetDC({});
    LogFont large;
    large.height = 30;
    FontHandle font = CreateFontIndirect(large);
    FontHandle previous = SelectObject(screen, font);
    memory->Prepare(screen);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC({}, screen);
    EXPECT_GT(memory->GetHeight(), 3 * 30);
}

TEST_F(MemoryInfoTest, TheCoolBitIsSharedAndTheLaterLineWins)
{
    EXPECT_EQ(Read({ u"CoolPhysMemBar=1", u"CoolVirtMemBar=0" })->ShowFlags(), 0x055u);
    EXPECT_EQ(Read({ u"CoolVirtMemBar=0", u"CoolPhysMemBar=1" })->ShowFlags(), 0x155u);
    EXPECT_EQ(Read({ u"CoolVirtMemBar=ja" })->ShowFlags(), 0x15Du);
    EXPECT_EQ(Read({ u"VirtMemBar=1" })->ShowFlags(), 0x15Du);
    EXPECT_EQ(Read({ u"PhysMemString=no", u"PhysMemValue=0", u"PhysMemPercent=nein" })->ShowFlags(), 0x104u);
    EXPECT_EQ(Read({ u"VirtMemString=y", u"VirtMemValue=1", u"VirtMemPercent=1", u"PhysMemBar=0" })->ShowFlags(), 0x1F3u);
    // Only the first unit of a boolean counts, and upper-case Y is not yes.
    EXPECT_EQ(Read({ u"PhysMemString=Yes" })->ShowFlags(), 0x154u);

    // The virtual bar is cool like the physical one, below it.
    int32_t const line = LineHeight();
    auto both = Read({ u"Width=120", u"VirtMemBar=1" });
    EXPECT_EQ(both->GetHeight(), 3 * line + 4 + line + 2);
    auto picture = Drawn(*both);
    int32_t const virtualTop = 5 + 3 * line + 4 + 2;
    EXPECT_TRUE(HasBarRing(*picture, virtualTop, line));
    // 24 MB of 32 MB: three quarters of 118 inner pixels.
    for (int32_t y = virtualTop; y < virtualTop + line; ++y)
        EXPECT_EQ(picture->At(10 + 88 + 1, y), 0u) << y;
    EXPECT_EQ(picture->Changed().bottom, virtualTop + line);

    // Plain after all: filled in the high colour, frame included.
    auto plain = Read({ u"Width=120", u"CoolPhysMemBar=1", u"VirtMemBar=1", u"CoolVirtMemBar=0", u"VirtMemBar=1",
        u"PhysMemPercent=0", u"BackgroundColorHigh=0000FF" });
    EXPECT_EQ(plain->ShowFlags(), 0x01Du);
    auto plainPicture = Drawn(*plain);
    int32_t const barTop = 5 + 2 * (line + 2);
    EXPECT_TRUE(HasBarRing(*plainPicture, barTop, line));
    EXPECT_EQ(plainPicture->At(11, barTop + 1), 0x0000FFu);
    EXPECT_EQ(plainPicture->At(68, barTop + 1), 0x0000FFu);
    EXPECT_EQ(plainPicture->At(71, barTop + 1), kPaper);
}

TEST_F(MemoryInfoTest, NothingButTheCoolBitLeavesTwoEmptyPixels)
{
    auto cool = Read({ u"PhysMemString=0", u"PhysMemBar=0", u"PhysMemValue=0", u"PhysMemPercent=0", u"Width=100" });
    EXPECT_EQ(cool->ShowFlags(), 0x100u);
    EXPECT_EQ(cool->GetHeight(), 2);
    EXPECT_TRUE(Drawn(*cool)->Untouched());

    auto none = Read({ u"CoolPhysMemBar=0", u"PhysMemString=0", u"PhysMemValue=0", u"PhysMemPercent=0", u"Width=100" });
    EXPECT_EQ(none->ShowFlags(), 0u);
    EXPECT_EQ(none->GetHeight(), 0);
    EXPECT_TRUE(Drawn(*none)->Untouched());
}

TEST_F(MemoryInfoTest, ColoursIntervalAndCentringAreReadAndBadValuesReported)
{
    auto memory = Read({ u"Color=0000FF", u"BorderColor=00FF00", u"BackgroundColorLowish=112233",
        u"BackgroundColorHigh=445566", u"BackgroundColorCenter=778899", u"LightColor=AABBCC", u"BlurColor=DDEEFF",
        u"Interval=0", u"CenterValue=1" });
    EXPECT_EQ(memory->Colors(), (GaugeColors { .textColor = 0xFF0000, .borderColor = 0x00FF00, .backgroundColorLow = 0x332211,
                                    .backgroundColorHigh = 0x665544, .backgroundColorCenter = 0x998877,
                                    .lightColor = 0xCCBBAA, .blurColor = 0xFFEEDD }));
    EXPECT_EQ(memory->GetInterval(), 0u);
    EXPECT_FALSE(memory->IsDue());
    EXPECT_TRUE(memory->CenterValue());
    EXPECT_EQ(Read({ u"TextColor=00FF00", u"Color=0000FF" })->Colors().borderColor, 0xFF0000u);
    EXPECT_EQ(Read({ u"Color=0000FF", u"TextColor=00FF00" })->Colors().borderColor, 0xFF0000u);
    EXPECT_EQ(Read({ u"Interval=1000" })->GetInterval(), 1000u);

    // Centred lines: the label sits in the middle of the object's width.
    auto centred = Read({ u"Width=180", u"CenterValue=1", u"PhysMemValue=0", u"PhysMemBar=0", u"CoolPhysMemBar=0" });
    Rect ink = Drawn(*centred)->Changed();
    EXPECT_LE(std::abs((ink.left - 10) - (190 - ink.right)), 2);

    auto bad = std::make_unique<MemoryInfo>();
    for (std::u16string_view line : { u"Color=FFF", u"BlurColor=", u"PhysMemBar=", u"CenterValue= ", u"Interval=" })
        EXPECT_FALSE(bad->ReadValue(line));
    EXPECT_FALSE(bad->ReadValue(u"Folder=\\Temp"));
    EXPECT_TRUE(bad->ReadValue(u"Xpos=3"));
    std::string const caption = "MemoryInfo - Ignoriere Fehler:";
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent(caption, "Color=FFF"),
        BoxEvent(caption, "BlurColor="),
        BoxEvent(caption, "PhysMemBar="),
        BoxEvent(caption, "CenterValue= "),
        BoxEvent(caption, "Interval="),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Folder=\\Temp"),
    }));
    EXPECT_EQ(bad->ShowFlags(), 0x155u);
    EXPECT_EQ(bad->GetInterval(), 600000u);
    EXPECT_EQ(bad->GetX(), 3);
}

TEST_F(MemoryInfoTest, EveryDrawReadsTheMemoryStatusAgain)
{
    auto memory = Read({ u"Width=120", u"PhysMemString=0", u"PhysMemPercent=0", u"VirtMemValue=1" });
    int32_t const line = LineHeight();
    device_.Device().State().memory = { 4000000000u, 1000000000u, 2000000u, 500u };
    auto picture = Drawn(*memory);
    auto expected = LinesAlone(kPaper, { { u"953.67MB / 3.72GB", Rect::FromSize(10, 5, 120, line) },
        { u"500.00Bytes / 1.91MB", Rect::FromSize(10, 5 + 2 * line + 4, 120, line) } });
    int32_t const barTop = 5 + line + 2;
    EXPECT_TRUE(picture->SamePixelsIn(*expected, { 0, 0, 200, barTop }));
    EXPECT_TRUE(picture->SamePixelsIn(*expected, { 0, barTop + line, 200, 120 }));
    // A quarter available: the end line at 1 + 118 / 4.
    EXPECT_EQ(picture->At(10 + 30, barTop + line / 2), 0u);
    EXPECT_NE(picture->At(10 + 31, barTop + line / 2), 0u);
}

TEST_F(MemoryInfoTest, WithoutMeasuringTheLinesShareTheObjectsHeight)
{
    auto memory = Read({ u"Width=120", u"Height=60", u"PhysMemPercent=0" }, false);
    auto picture = Drawn(*memory);
    // Three lines of 60 / 3 = 20: the bar starts at 5 + 2 x 22.
    EXPECT_TRUE(HasBarRing(*picture, 49, 20));
}

}
