#include "panel/core/PanelEntry.h"
#include "panel/core/PanelWindow.h"
#include "panel/displays/Batterie.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Drawing.h"
#include "tests/panel/BackBuffer.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"
#include "tests/support/PixelNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace panel;
using namespace platform;
using testing_support::BackBuffer;
using testing_support::BoxEvent;
using testing_support::EventsAre;
using testing_support::IsEvent;
using testing_support::TestDevice;

namespace {

constexpr uint32_t kBackground = 0x3A6EA5;
constexpr uint32_t kCritical = 0xD00000;
constexpr uint32_t kLow = 0xD0D000;
constexpr uint32_t kHigh = 0x00D000;
using namespace testing_support::pixels;

class BatterieTest : public ::testing::Test {
protected:
    PowerState& Power() { return device_.Device().State().power; }

    static std::unique_ptr<Batterie> Read(std::initializer_list<std::u16string_view> lines)
    {
        auto battery = std::make_unique<Batterie>();
        for (auto line : lines)
            battery->ReadValue(line);
        return battery;
    }

    std::unique_ptr<BackBuffer> Drawn(Batterie& battery, int percent, int32_t x, int32_t y, int32_t width, int32_t height)
    {
        Power().BatteryLifePercent = percent;
        auto picture = std::make_unique<BackBuffer>(kBackground, width, height);
        battery.Draw(picture->Surface(), x, y);
        return picture;
    }

    TestDevice device_;
};

// The plain look of a 64 x 16 battery at (4, 3), worked out by hand: the
// terminal is the box from column 4 to 8 between rows 7 and 15, the body
// runs from column 8 to 67 and from row 3 to 18; the margin is one pixel,
// so the blocks span rows 5 to 16 and the three of them lie at columns
// 48-65, 29-46 and 10-27, the first one farthest from the terminal.
std::unique_ptr<BackBuffer> PlainBattery(int blocks, uint32_t colour)
{
    auto picture = std::make_unique<BackBuffer>(kBackground, 80, 24);
    picture->Paint({ 8, 3, 68, 4 }, kBlack);
    picture->Paint({ 8, 18, 68, 19 }, kBlack);
    picture->Paint({ 67, 3, 68, 19 }, kBlack);
    picture->Paint({ 8, 3, 9, 8 }, kBlack);
    picture->Paint({ 8, 15, 9, 19 }, kBlack);
    picture->Paint({ 4, 7, 9, 8 }, kBlack);
    picture->Paint({ 4, 15, 9, 16 }, kBlack);
    picture->Paint({ 4, 7, 5, 16 }, kBlack);
    int32_t const columns[3][2] = { { 48, 66 }, { 29, 47 }, { 10, 28 } };
    for (int i = 0; i < blocks; ++i)
        picture->Paint({ columns[i][0], 5, columns[i][1], 17 }, colour);
    return picture;
}

TEST_F(BatterieTest, ThePlainLookFillsBlocksFromTheFarEndInTheThresholdColour)
{
    auto battery = Read({ u"CoolBattery=0", u"Width=64", u"Height=16" });
    struct Case {
        int percent;
        int blocks;
        uint32_t colour;
    };
    static constexpr Case kCases[] = {
        { 0, 0, kCritical },
        { 1, 1, kCritical },
        { 25, 1, kCritical },
        { 33, 1, kCritical },
        { 34, 2, kLow },
        { 50, 2, kLow },
        { 66, 2, kLow },
        { 67, 3, kHigh },
        { 100, 3, kHigh },
        { 150, 3, kHigh },
    };
    for (Case const& c : kCases)
        EXPECT_TRUE(Drawn(*battery, c.percent, 4, 3, 80, 24)->SamePixels(*PlainBattery(c.blocks, c.colour))) << c.percent;

    // On external power without charging there is nothing more to see.
    Power().ACLineStatus = 1;
    EXPECT_TRUE(Drawn(*battery, 50, 4, 3, 80, 24)->SamePixels(*PlainBattery(2, kLow)));
}

TEST_F(BatterieTest, SegmentsAndColoursComeFromTheLayout)
{
    auto battery = Read({ u"CoolBattery=n", u"Width=64", u"Height=16", u"Segments=1", u"ColorBattery=FFFFFF",
        u"ColorHigh=0000FF", u"ColorLow=00FF00", u"ColorCritical=FF0000" });
    // One block over the whole span, from column 10 to 65.
    auto one = [](uint32_t colour) {
        auto picture = PlainBattery(0, 0);
        picture->ForEach([&](int32_t x, int32_t y) {
            if (picture->At(x, y) == kBlack)
                picture->Set(x, y, 0xFFFFFF);
        });
        picture->Paint({ 10, 5, 66, 17 }, colour);
        return picture;
    };
    EXPECT_TRUE(Drawn(*battery, 1, 4, 3, 80, 24)->SamePixels(*one(0xFF0000)));
    EXPECT_TRUE(Drawn(*battery, 66, 4, 3, 80, 24)->SamePixels(*one(0x00FF00)));
    EXPECT_TRUE(Drawn(*battery, 67, 4, 3, 80, 24)->SamePixels(*one(0x0000FF)));

    // Fewer than one segment count as one; more than the span has pixels leave every block
    // narrower than its gap, so none shows.
    battery->ReadValue(u"Segments=0");
    EXPECT_TRUE(Drawn(*battery, 67, 4, 3, 80, 24)->SamePixels(*one(0x0000FF)));
    battery->ReadValue(u"Segments=-4");
    EXPECT_TRUE(Drawn(*battery, 67, 4, 3, 80, 24)->SamePixels(*one(0x0000FF)));
    battery->ReadValue(u"Segments=2000000000");
    EXPECT_TRUE(Drawn(*battery, 100, 4, 3, 80, 24)->SamePixels(*one(kBackground)));
}

TEST_F(BatterieTest, ChargingWritesItsTextCentredOverTheSegmentArea)
{
    auto battery = Read({ u"CoolBattery=0", u"Width=150", u"Height=24" });
    auto idle = Drawn(*battery, 50, 5, 4, 170, 34);
    Power().BatteryFlag = 1 | 8;
    Power().BatteryLifePercent = 50;
    BackBuffer charging(kBackground, 170, 34);
    SetTextColor(charging.Surface().Dc(), 0xFF0000); // blue, unlike anything of the battery
    battery->Draw(charging.Surface(), 5, 4);

    // Margin 3: the text's rectangle runs from column 15 to 152 and from row 5 to 28.
    DeviceContext screen = GetDC({});
    Rect extent;
    DrawText(screen, u"wird geladen", -1, extent, TextFormat::SingleLine | TextFormat::CalculateRect);
    ReleaseDC({}, screen);
    Rect const area { 15, 5, 152, 28 };
    Rect text { INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN };
    for (int32_t y = 0; y < 34; ++y) {
        for (int32_t x = 0; x < 170; ++x) {
            if (charging.At(x, y) == idle->At(x, y))
                continue;
            text = { std::min(text.left, x), std::min(text.top, y), std::max(text.right, x + 1), std::max(text.bottom, y + 1) };
            // Only text is added: its colour mixed with what lay below.
            EXPECT_GT(charging.At(x, y) & 0xFF, idle->At(x, y) & 0xFF) << x << "," << y;
        }
    }
    ASSERT_LT(text.left, text.right);
    int32_t const left = area.left + (area.Width() - extent.right) / 2;
    int32_t const top = area.top + (area.Height() - extent.bottom) / 2;
    EXPECT_GE(text.left, left - 1);
    EXPECT_LE(text.right, left + extent.right + 1);
    EXPECT_GE(text.top, top - 1);
    EXPECT_LE(text.bottom, top + extent.bottom + 1);
    EXPECT_GT(text.Width(), extent.right * 3 / 4);
}

// The cool look of a 64 x 22 battery at (4, 3) on an 80 x 30 surface. By
// hand: body width 62, so the bands cover columns 4-65; the split row is
// 3 + 110 / 11 = 13, so the upper bands have rows 3-12 and the lower ones
// rows 13-24; the dark grey line is column 66, rows 9-18; the terminal is
// column 67, rows 10-17.
struct CoolCase {
    int percent;
    int32_t fillEnd; // column, x + p * 62 / 100, at most x + 62
    uint32_t charge; // the blend of the threshold colours
};

uint32_t Scaled(uint32_t colour, uint32_t factor)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8)
        result |= std::min<uint32_t>((colour >> shift & 0xFF) * factor / 128, 255) << shift;
    return result;
}

// An opaque band colour over the background: 255/256 of the way, rounded down.
uint32_t Over(uint32_t below, uint32_t colour)
{
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int32_t const b = int32_t(below >> shift & 0xFF);
        int32_t const c = int32_t(colour >> shift & 0xFF);
        result |= uint32_t(b + (((c - b) * 255) >> 8)) << shift;
    }
    return result;
}

// Row `row` of a band from `top` to `bottom` over rows [first, last].
uint32_t BandRow(uint32_t top, uint32_t bottom, int32_t first, int32_t last, int32_t row)
{
    int32_t const n = last - first + 1;
    int32_t const k = last - row;
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8)
        result |= (((bottom >> shift & 0xFF) * uint32_t(n - k) + (top >> shift & 0xFF) * uint32_t(k)) / uint32_t(n)) << shift;
    return Over(kBackground, result);
}

std::unique_ptr<BackBuffer> CoolBattery(CoolCase const& c, uint32_t battery = kBlack)
{
    auto picture = std::make_unique<BackBuffer>(kBackground, 80, 30);
    auto light = [](uint32_t colour) { return Scaled(colour, 255); };
    auto dark = [](uint32_t colour) { return Scaled(colour, 44); };
    for (int32_t y = 3; y < 25; ++y) {
        bool const upper = y < 13;
        for (int32_t x = 4; x < 66; ++x) {
            uint32_t const base = x < c.fillEnd ? c.charge : battery;
            picture->Set(x, y, upper ? BandRow(base, light(base), 3, 12, y) : BandRow(light(base), dark(base), 13, 24, y));
        }
    }
    picture->Paint({ 66, 9, 67, 19 }, 0x404040);
    for (int32_t y = 10; y < 18; ++y)
        picture->Set(67, y, BandRow(light(battery), dark(battery), 10, 17, y));
    return picture;
}

TEST_F(BatterieTest, TheCoolLookBlendsTheChargeColourIntoAShadedCylinder)
{
    auto battery = Read({ u"Width=64", u"Height=22" });
    static constexpr CoolCase kCases[] = {
        { 0, 4, 0xD00000 }, // empty: only the battery's own shades
        { 25, 19, 0xD06800 }, // half way from critical to low
        { 33, 24, 0xD08900 },
        { 34, 25, 0xD08D00 },
        { 50, 35, kLow },
        { 66, 44, 0x8DD000 },
        { 67, 45, 0x89D000 },
        { 100, 66, kHigh },
        { 150, 66, kHigh }, // full, not beyond
    };
    for (CoolCase const& c : kCases)
        EXPECT_TRUE(Drawn(*battery, c.percent, 4, 3, 80, 30)->SamePixels(*CoolBattery(c))) << c.percent;

    // Worked by hand: the lowest row of the upper band is the light colour 255/256 over the
    // background, rounded down: light green when full, black when empty.
    EXPECT_EQ(Drawn(*battery, 100, 4, 3, 80, 30)->At(10, 12), 0x00FE00u);
    EXPECT_EQ(Drawn(*battery, 0, 4, 3, 80, 30)->At(10, 12), 0x000000u);

    auto coloured = Read({ u"Width=64", u"Height=22", u"ColorBattery=405060", u"ColorLow=102030" });
    EXPECT_TRUE(Drawn(*coloured, 50, 4, 3, 80, 30)->SamePixels(*CoolBattery({ 50, 35, 0x102030 }, 0x405060)));
}

TEST_F(BatterieTest, ChargingOrExternalPowerAddsTheLightningAndArrow)
{
    auto battery = Read({ u"Width=64", u"Height=22", u"ColorArrow=FF00FF" });
    Power().BatteryFlag = 1;
    Power().ACLineStatus = 0;
    auto plain = Drawn(*battery, 50, 4, 3, 80, 30);

    // The stroke through the points worked out by hand (x + W/7 = 13, x + 19W/42 = 32,
    // x + 17W/42 = 29, x + 5W/7 = 49, x + 6W/7 = 58; y + H/3 = 10, y + H/2 = 14,
    // y + 2H/3 = 17), drawn by the platform over the battery without it.
    BackBuffer expected(kBackground, 80, 30);
    expected.Fill([&](int32_t x, int32_t y) { return plain->At(x, y); });
    DeviceContext dc = expected.Surface().Dc();
    PenHandle pen = CreatePen(kSolidPen, 1, Rgb(0xFF, 0x00, 0xFF));
    PenHandle previous = SelectObject(dc, pen);
    Point const sign[] = { { 13, 14 }, { 32, 17 }, { 29, 10 }, { 49, 14 }, { 49, 10 }, { 58, 14 }, { 49, 17 }, { 49, 14 } };
    Polyline(dc, sign, 8);
    SelectObject(dc, previous);
    DeleteObject(pen);

    Power().BatteryFlag = 8;
    EXPECT_TRUE(Drawn(*battery, 50, 4, 3, 80, 30)->SamePixels(expected));
    Power().BatteryFlag = 1;
    Power().ACLineStatus = 1;
    EXPECT_TRUE(Drawn(*battery, 50, 4, 3, 80, 30)->SamePixels(expected));
    // Any other line status is not external power.
    Power().ACLineStatus = 255;
    auto unknown = Drawn(*battery, 50, 4, 3, 80, 30);
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 80; ++x)
            ASSERT_EQ(unknown->At(x, y), plain->At(x, y)) << x << "," << y;
    }
}


TEST_F(BatterieTest, APartlyOffSurfaceBatteryDrawsOnlyItsVisiblePart)
{
    auto battery = Read({ u"Width=64", u"Height=22" });
    Power().BatteryFlag = 8;
    auto inside = Drawn(*battery, 60, 4, 3, 80, 30);
    // The same body width (62) from the left edge on: what shows is the same picture moved.
    auto cut = Drawn(*battery, 60, -10, -5, 80, 30);
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 80; ++x) {
            uint32_t const want = x + 14 < 80 && y + 8 < 30 ? inside->At(x + 14, y + 8) : kBackground;
            ASSERT_EQ(cut->At(x, y), want) << x << "," << y;
        }
    }

    // Past the right edge the body ends two columns before it: grey line and terminal on the last two.
    auto right = Drawn(*battery, 60, 40, 3, 80, 30);
    EXPECT_EQ(right->At(78, 9), 0x404040u);
    EXPECT_EQ(right->At(78, 8), kBackground);
    EXPECT_NE(right->At(79, 10), kBackground);
    EXPECT_NE(right->At(77, 3), kBackground);

    // Wholly off the surface, or without area: nothing at all.
    for (Point at : { Point { 80, 0 }, Point { 0, 30 }, Point { -64, 0 }, Point { 0, -22 }, Point { INT32_MAX, INT32_MAX },
             Point { INT32_MIN, INT32_MIN } }) {
        auto off = Drawn(*battery, 60, at.x, at.y, 80, 30);
        for (int32_t y = 0; y < 30; ++y) {
            for (int32_t x = 0; x < 80; ++x)
                ASSERT_EQ(off->At(x, y), kBackground) << at.x << "," << at.y;
        }
    }
    battery->ReadValue(u"CoolBattery=0");
    battery->ReadValue(u"Width=-5");
    auto flat = Drawn(*battery, 60, 4, 3, 80, 30);
    for (int32_t y = 0; y < 30; ++y) {
        for (int32_t x = 0; x < 80; ++x)
            ASSERT_EQ(flat->At(x, y), kBackground);
    }
}

TEST_F(BatterieTest, KeysAreReadInOrderAndBadValuesReportedUnderTheBatterieCaption)
{
    auto battery = std::make_unique<Batterie>();
    EXPECT_EQ(battery->GetInterval(), 600000u);
    EXPECT_TRUE(battery->ReadValue(u"Interval=1500"));
    EXPECT_EQ(battery->GetInterval(), 1500u);
    EXPECT_TRUE(battery->ReadValue(u"Width=10"));
    EXPECT_EQ(battery->GetWidth(), 10);
    for (std::u16string_view line : { u"ColorBattery=12345", u"ColorCritical=", u"ColorLow=FFF", u"ColorHigh= ",
             u"ColorArrow=1", u"Segments=", u"CoolBattery=", u"Interval=", u"Test=" })
        EXPECT_FALSE(battery->ReadValue(line));
    EXPECT_FALSE(battery->ReadValue(u"Segments=", false));
    EXPECT_FALSE(battery->ReadValue(u"Colour=FF0000"));
    EXPECT_EQ(battery->GetInterval(), 1500u);
    // A Test value that is not true is taken silently.
    EXPECT_TRUE(battery->ReadValue(u"Test=0"));
    EXPECT_TRUE(battery->ReadValue(u"Test=nein"));

    std::string const bad = "Batterie - Ignoriere Fehler:";
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent(bad, "ColorBattery=12345", "warning"),
        BoxEvent(bad, "ColorCritical=", "warning"),
        BoxEvent(bad, "ColorLow=FFF", "warning"),
        BoxEvent(bad, "ColorHigh= ", "warning"),
        BoxEvent(bad, "ColorArrow=1", "warning"),
        BoxEvent(bad, "Segments=", "warning"),
        BoxEvent(bad, "CoolBattery=", "warning"),
        BoxEvent(bad, "Interval=", "warning"),
        BoxEvent(bad, "Test=", "warning"),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Colour=FF0000", "warning"),
    }));
}

TEST_F(BatterieTest, TheTestKeyShowsEveryFieldOfTheQueryAtOnce)
{
    PowerState& power = Power();
    power.ACLineStatus = 1;
    power.BatteryFlag = 9;
    power.BatteryLifePercent = 42;
    power.BatteryLifeTime = 0xFFFFFFFF; // unknown: printed signed
    power.BatteryFullLifeTime = 7200;
    power.BackupBatteryFlag = 2;
    power.BackupBatteryLifePercent = 90;
    power.BackupBatteryLifeTime = 100;
    power.BackupBatteryFullLifeTime = 200;
    power.BatteryVoltage = 4294967295; // the one unsigned field
    power.BatteryCurrent = -250;
    power.BatteryTemperature = 31;
    power.BackupBatteryVoltage = 3000;
    auto battery = Read({ u"Test=1" });
    power.BatteryLifePercent = 43;
    battery->ReadValue(u"Testen=ja");

    std::string const fields = "ACLineStatus: 1\nBatteryFlag: 9\nBatteryLifePercent: %\nBatteryLifeTime: -1\n"
                               "BatteryFullLifeTime: 7200\nBackupBatteryFlag:2\nBackupBatteryLifePercent: 90\n"
                               "BackupBatteryLifeTime: 100\nBackupBatteryFullLifeTime: 200\nBatteryVoltage: 4294967295\n"
                               "BatteryCurrent: -250\nBatteryTemperature: 31\nBackupBatteryVoltage: 3000";
    auto with = [&](std::string percent) { return std::string(fields).replace(fields.find('%'), 1, percent); };
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("System Power Status", with("42"), "information"),
        BoxEvent("System Power Status", with("43"), "information"),
    }));

    // A failing query says so under "Fehler", with the same icon.
    power.queryFails = true;
    battery->ReadValue(u"Test=y");
    EXPECT_THAT(device_.ParsedEvents("msgbox").back(),
        IsEvent(BoxEvent("Fehler", "GetSystemPowerStatusEx2", "information")));
}

TEST_F(BatterieTest, WithoutThePowerCallTheBatteryIsEmptyAndTestIsSilent)
{
    Power().callAbsent = true;
    auto battery = Read({ u"Test=1", u"CoolBattery=0", u"Width=64", u"Height=16" });
    EXPECT_THAT(device_.ParsedEvents("msgbox"),
        EventsAre({ BoxEvent("Fehler", R"(GetProcAddress - "GetSystemPowerStatusEx2")", "error") }));
    Power().BatteryFlag = 8; // not asked: no text either
    EXPECT_TRUE(Drawn(*battery, 100, 4, 3, 80, 24)->SamePixels(*PlainBattery(0, 0)));
}

TEST_F(BatterieTest, AFailingQueryDrawsAnEmptyBattery)
{
    auto battery = Read({ u"Width=64", u"Height=22" });
    Power().queryFails = true;
    Power().ACLineStatus = 1;
    EXPECT_TRUE(Drawn(*battery, 100, 4, 3, 80, 30)->SamePixels(*CoolBattery({ 0, 4, 0 })));
    Power().queryFails = false;
    EXPECT_FALSE(Drawn(*battery, 100, 4, 3, 80, 30)->SamePixels(*CoolBattery({ 0, 4, 0 })));
    EXPECT_TRUE(device_.Events("msgbox").empty());
}

TEST_F(BatterieTest, ATapRedrawsTheBatteryWithAFreshQuery)
{
    device_.WriteUtf16("a.ini",
        u"GLOBALSETTINGS\r\nStartUpAnimation=NoAnimation\r\nArrange=No\r\nWidth=80\r\nHeight=24\r\nBorder=0\r\n"
        u"BackgroundColor=3A6EA5\r\n\r\nBATTERY\r\nx=4\r\ny=3\r\nWidth=64\r\nHeight=16\r\nCoolBattery=0\r\n");
    ASSERT_TRUE(RegisterPanelClass());
    PanelProgram program;
    WindowHandle window = program.CreateLayoutWindow(u"\\a.ini");
    ASSERT_TRUE(window);
    ShowPanel(window);
    PanelWindow& panel = *PanelOf(window);
    ASSERT_EQ(panel.settings->Objects().size(), 1u);
    DesktopObject& battery = *panel.settings->Objects()[0];
    auto backBufferMatches = [&](BackBuffer const& expected) {
        ScratchBitmap const& buffer = *panel.backBuffer;
        for (int32_t y = 3; y < 19; ++y) {
            for (int32_t x = 4; x < 68; ++x) {
                uint32_t const at = *buffer.CursorAt(x + battery.GetX() - 4, y + battery.GetY() - 3).pixel & 0xFFFFFF;
                if (at != expected.At(x, y))
                    return ::testing::AssertionFailure() << x << "," << y << ": " << std::hex << at;
            }
        }
        return ::testing::AssertionSuccess();
    };
    panel.DrawAllObjects(*panel.backBuffer);
    EXPECT_TRUE(backBufferMatches(*PlainBattery(3, kHigh))); // the device's 75 %

    Power().BatteryLifePercent = 20;
    DeviceContext dc = GetDC(window);
    panel.PressAt(battery.GetX() + 10, battery.GetY() + 5, dc);
    ReleaseDC(window, dc);
    EXPECT_TRUE(backBufferMatches(*PlainBattery(1, kCritical)));
    program.RemoveAndDestroyWindow(window);
}

}
