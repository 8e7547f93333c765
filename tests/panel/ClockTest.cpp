#include "panel/core/ObjectFactory.h"
#include "panel/displays/Batterie.h"
#include "panel/displays/DateInfo.h"
#include "panel/displays/ScratchBitmap.h"
#include "panel/displays/Text.h"
#include "panel/displays/TimeInfo.h"
#include "platform/Drawing.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace panel;
using namespace platform;
using testing_support::BoxEvent;
using testing_support::EventsAre;
using testing_support::TestDevice;

namespace {

DeviceSettings At(std::string locale, ClockStart clock = {})
{
    DeviceSettings settings;
    settings.locale = std::move(locale);
    settings.clock = clock;
    settings.until = 100000000;
    return settings;
}

std::u16string Digits(int32_t value)
{
    std::u16string digits;
    for (char c : std::to_string(value))
        digits += char16_t(c);
    return digits;
}

std::string Utf8(std::u16string_view text)
{
    std::string out;
    for (char16_t unit : text)
        out += unit < 0x80 ? char(unit) : '?';
    return out;
}

template<typename T>
std::unique_ptr<T> Prepared(std::initializer_list<std::u16string_view> lines)
{
    auto object = std::make_unique<T>();
    for (auto line : lines)
        object->ReadValue(line);
    DeviceContext screen = GetDC({});
    object->Prepare(screen);
    ReleaseDC({}, screen);
    return object;
}

// What an object puts on a white back buffer.
std::vector<uint32_t> Pixels(Text& text)
{
    ScratchBitmap surface(160, 24, true);
    for (int32_t y = 0; y < 24; ++y) {
        for (int32_t x = 0; x < 160; ++x)
            *surface.CursorAt(x, y).pixel = 0xFFFFFF;
    }
    SetBkMode(surface.Dc(), BackgroundMode::Transparent);
    text.Draw(surface, 0, 0);
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < 24; ++y) {
        for (int32_t x = 0; x < 160; ++x)
            pixels.push_back(*surface.CursorAt(x, y).pixel & 0xFFFFFF);
    }
    return pixels;
}

// The clock draws `words`: the same pixels as a plain text of those words of the clock's size.
::testing::AssertionResult Shows(Text& clock, std::u16string_view words)
{
    std::u16string line = u"Text=";
    line += words;
    std::vector<uint32_t> const drawn = Pixels(clock);
    std::u16string const width = u"Width=" + Digits(clock.GetWidth());
    std::u16string const height = u"Height=" + Digits(clock.GetHeight());
    if (drawn != Pixels(*Prepared<Text>({ width, height, line })))
        return ::testing::AssertionFailure() << "the pixels are not those of \"" << Utf8(words) << "\"";
    return ::testing::AssertionSuccess();
}

// The clock is as large as `words` measure.
::testing::AssertionResult SizedFor(Text const& clock, std::u16string_view words)
{
    auto text = Prepared<Text>({ u"Text=" + std::u16string(words) });
    if (clock.GetWidth() != text->GetWidth() || clock.GetHeight() != text->GetHeight())
        return ::testing::AssertionFailure() << "size " << clock.GetWidth() << "x" << clock.GetHeight() << ", \""
                                             << Utf8(words) << "\" takes " << text->GetWidth() << "x" << text->GetHeight();
    return ::testing::AssertionSuccess();
}

void Pass(TestDevice& device, uint64_t until)
{
    device.Device().Schedule(until, [] { });
    ASSERT_TRUE(device.Device().WaitForEvents(std::nullopt));
    ASSERT_EQ(device.Device().Now(), until);
}

TEST(Clock, WithoutFormatTheLocaleDefaultsAreShown)
{
    {
        TestDevice device(At("de-DE"));
        auto time = Prepared<TimeInfo>({});
        auto date = Prepared<DateInfo>({});
        EXPECT_TRUE(SizedFor(*time, u"09:30:00"));
        EXPECT_TRUE(Shows(*time, u"09:30:00"));
        EXPECT_TRUE(SizedFor(*date, u"15.01.2026"));
        EXPECT_TRUE(Shows(*date, u"15.01.2026"));
    }
    {
        TestDevice device(At("en-US", { 2026, 7, 4, 21, 5, 9 }));
        auto time = Prepared<TimeInfo>({});
        auto date = Prepared<DateInfo>({});
        EXPECT_TRUE(SizedFor(*time, u"9:05:09 PM"));
        EXPECT_TRUE(Shows(*time, u"9:05:09 PM"));
        EXPECT_TRUE(SizedFor(*date, u"7/4/2026"));
        EXPECT_TRUE(Shows(*date, u"7/4/2026"));
    }
}

TEST(Clock, APictureFormatsInTheLocaleAndTheSecondFormatWins)
{
    {
        TestDevice device(At("de-DE"));
        EXPECT_TRUE(Shows(*Prepared<TimeInfo>({ u"Format=HH 'Uhr' mm" }), u"09 Uhr 30"));
        EXPECT_TRUE(Shows(*Prepared<DateInfo>({ u"Format=dddd, d. MMMM yyyy" }), u"Donnerstag, 15. Januar 2026"));
        EXPECT_TRUE(Shows(*Prepared<TimeInfo>({ u"Format=HH:mm:ss", u"Format=H.mm" }), u"9.30"));
        EXPECT_TRUE(Shows(*Prepared<DateInfo>({ u"Format=yyyy", u"Interval=5000", u"Format=ddd d" }), u"Do 15"));
    }
    {
        TestDevice device(At("en-US"));
        EXPECT_TRUE(Shows(*Prepared<TimeInfo>({ u"Format=hh:mm tt" }), u"09:30 AM"));
        EXPECT_TRUE(Shows(*Prepared<DateInfo>({ u"Format=dddd, MMMM d, yyyy" }), u"Thursday, January 15, 2026"));
    }
}

TEST(Clock, WithAOneSecondIntervalTheSecondsAdvanceOnceASecond)
{
    TestDevice device(At("de-DE", { 2026, 1, 15, 9, 59, 58 }));
    auto clock = Prepared<TimeInfo>({ u"Interval=1000", u"Format=HH:mm:ss" });
    EXPECT_EQ(clock->GetInterval(), 1000u);
    EXPECT_FALSE(clock->IsDue());
    EXPECT_TRUE(Shows(*clock, u"09:59:58"));

    Pass(device, 999);
    EXPECT_FALSE(clock->IsDue());
    EXPECT_TRUE(Shows(*clock, u"09:59:58"));
    Pass(device, 1000);
    EXPECT_TRUE(clock->IsDue());
    EXPECT_TRUE(Shows(*clock, u"09:59:59"));
    Pass(device, 1500);
    EXPECT_FALSE(clock->IsDue());
    Pass(device, 2000);
    EXPECT_TRUE(clock->IsDue());
    EXPECT_TRUE(Shows(*clock, u"10:00:00"));

    // The default interval is a minute, counted from creation.
    auto minute = Prepared<TimeInfo>({});
    EXPECT_EQ(minute->GetInterval(), 60000u);
    EXPECT_EQ(Prepared<DateInfo>({})->GetInterval(), 600000u);
    Pass(device, 61999);
    EXPECT_FALSE(minute->IsDue());
    Pass(device, 62000);
    EXPECT_TRUE(minute->IsDue());
    EXPECT_TRUE(Shows(*minute, u"10:01:00"));
}

TEST(Clock, TheSizeFollowsTheLongestTextShown)
{
    TestDevice device(At("en-US", { 2026, 1, 15, 9, 59, 59 }));
    auto clock = Prepared<TimeInfo>({});
    EXPECT_TRUE(SizedFor(*clock, u"9:59:59 AM"));
    Pass(device, 1000);
    EXPECT_TRUE(Shows(*clock, u"10:00:00 AM"));
    EXPECT_TRUE(SizedFor(*clock, u"10:00:00 AM"));

    // Back to a shorter text: it keeps the longer one's size.
    auto date = Prepared<DateInfo>({ u"Format=dddd" });
    EXPECT_TRUE(SizedFor(*date, u"Thursday"));
    Pass(device, 1000 + 15 * 3600000); // one in the morning on Friday
    EXPECT_TRUE(Shows(*date, u"Friday"));
    EXPECT_TRUE(SizedFor(*date, u"Thursday"));

    // A size given in the layout stays whatever the text.
    auto given = Prepared<DateInfo>({ u"Width=20", u"Height=10", u"Format=dddd, MMMM d, yyyy" });
    EXPECT_EQ(given->GetWidth(), 20);
    EXPECT_TRUE(Shows(*given, u"Friday, January 16, 2026"));
    EXPECT_EQ(given->GetWidth(), 20);
}

TEST(Clock, AnUnformattableTimeKeepsTheTextShownBefore)
{
    TestDevice device(At("de-DE"));
    // 32 characters do not fit into the 32-character buffer with its terminator.
    std::u16string_view const tooLong = u"Format='abcdefghijklmnopqrstuvwxyz012345'";
    auto never = Prepared<TimeInfo>({ tooLong });
    EXPECT_TRUE(SizedFor(*never, u"Text"));
    EXPECT_TRUE(Shows(*never, u"Text"));

    auto clock = Prepared<TimeInfo>({ u"Format=HH:mm" });
    EXPECT_TRUE(Shows(*clock, u"09:30"));
    clock->ReadValue(tooLong);
    Pass(device, 60000);
    EXPECT_TRUE(Shows(*clock, u"09:30"));
    // 31 characters still fit.
    clock->ReadValue(u"Format='abcdefghijklmnopqrstuvwxyz01234'");
    EXPECT_TRUE(Shows(*clock, u"abcdefghijklmnopqrstuvwxyz01234"));
    EXPECT_TRUE(SizedFor(*clock, u"abcdefghijklmnopqrstuvwxyz01234"));
}

TEST(Clock, BadValuesAreReportedUnderTheClassCaption)
{
    TestDevice device;
    auto time = std::make_unique<TimeInfo>();
    auto date = std::make_unique<DateInfo>();
    EXPECT_FALSE(time->ReadValue(u"Format="));
    EXPECT_FALSE(time->ReadValue(u"Interval=  "));
    EXPECT_FALSE(date->ReadValue(u"Format"));
    EXPECT_FALSE(date->ReadValue(u"Interval=", false));
    EXPECT_FALSE(date->ReadValue(u"Color=12"));
    EXPECT_FALSE(time->ReadValue(u"Refresh=5"));
    EXPECT_TRUE(date->ReadValue(u"Interval=5"));
    EXPECT_EQ(date->GetInterval(), 5u);
    EXPECT_EQ(time->GetInterval(), 60000u);

    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("TimeInfo - Ignoriere Fehler:", "Format="),
        BoxEvent("TimeInfo - Ignoriere Fehler:", "Interval=  "),
        BoxEvent("DateInfo - Ignoriere Fehler:", "Format"),
        BoxEvent("Text - Ignoriere Fehler:", "Color=12"),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Refresh=5"),
    }));
}

TEST(Clock, TheLayoutKeywordsMakeClocksAndABattery)
{
    TestDevice device;
    Section time = CreateSection(u"TIME", {});
    Section date = CreateSection(u"DATE", {});
    ASSERT_EQ(time.kind, SectionKind::Object);
    ASSERT_EQ(date.kind, SectionKind::Object);
    EXPECT_NE(dynamic_cast<TimeInfo*>(time.object.get()), nullptr);
    EXPECT_NE(dynamic_cast<DateInfo*>(date.object.get()), nullptr);
    EXPECT_EQ(time.object->GetInterval(), 60000u);
    EXPECT_EQ(date.object->GetInterval(), 600000u);
    Section battery = CreateSection(u"BATTERY", {});
    EXPECT_NE(dynamic_cast<Batterie*>(battery.object.get()), nullptr);
    EXPECT_EQ(battery.object->GetInterval(), 600000u);
}

}
