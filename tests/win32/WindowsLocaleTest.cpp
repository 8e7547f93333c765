#include "platform/locale/PictureFormat.h"
#include "platform/win32/WindowsLocale.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

SystemTime Afternoon()
{
    SystemTime time;
    time.year = 2026;
    time.month = 3;
    time.dayOfWeek = 4;
    time.day = 5;
    time.hour = 14;
    time.minute = 7;
    time.second = 9;
    return time;
}

}

// The system formats the user's dates and times; for the locales the device
// knows, its text is the one our own formatter gives on the device.
TEST(WindowsLocale, TheSystemFormatsPicturesAsTheDeviceDoes)
{
    struct Case {
        uint32_t identifier;
        char const* name;
        PictureKind kind;
        std::u16string_view picture;
    };
    Case const cases[] = {
        { 0x0407, "de-DE", PictureKind::Date, u"dddd, d. MMMM yyyy" },
        { 0x0407, "de-DE", PictureKind::Time, u"HH:mm:ss" },
        { 0x0409, "en-US", PictureKind::Date, u"dddd, MMMM d, yyyy" },
        { 0x0409, "en-US", PictureKind::Date, u"MMM d 'at' yyyy" },
        { 0x0409, "en-US", PictureKind::Time, u"h:mm tt" },
    };
    for (Case const& c : cases) {
        LocaleData const* locale = LocaleNamed(c.name);
        ASSERT_NE(locale, nullptr);
        std::optional<std::u16string> system = win32::FormatInLocale(c.identifier, c.kind, Afternoon(), c.picture);
        ASSERT_TRUE(system.has_value()) << c.name;
        EXPECT_EQ(*system, FormatPicture(c.kind, c.picture, Afternoon(), *locale)) << c.name;
    }
}

// Wine takes German abbreviated day names from the Unicode locale data,
// with a full stop ("Do."); the device's have none ("Do").
TEST(WindowsLocale, GermanAbbreviatedDaysAreTheDevicesOrWines)
{
    std::optional<std::u16string> text = win32::FormatInLocale(0x0407, PictureKind::Date, Afternoon(), u"ddd dd.MM.yy");
    ASSERT_TRUE(text.has_value());
    EXPECT_TRUE(*text == u"Do 05.03.26" || *text == u"Do. 05.03.26") << std::string(text->begin(), text->end());
}

TEST(WindowsLocale, WithoutAPictureTheLocaleHasItsOwn)
{
    std::optional<std::u16string> time = win32::FormatInLocale(0x0407, PictureKind::Time, Afternoon(), std::nullopt);
    ASSERT_TRUE(time.has_value());
    EXPECT_NE(time->find(u"14"), std::u16string::npos);
    EXPECT_NE(time->find(u"07"), std::u16string::npos);
    // A month the calendar does not have is refused, not formatted.
    SystemTime impossible = Afternoon();
    impossible.month = 13;
    EXPECT_FALSE(win32::FormatInLocale(0x0407, PictureKind::Date, impossible, u"d.M.yyyy").has_value());
}
