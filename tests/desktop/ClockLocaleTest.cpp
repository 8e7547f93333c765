// The panel's date on the desktop: this machine's day, with German or
// American names as the environment's time locale says, drawn as the
// simulated device draws it for that day and locale.

#include "tests/desktop/PanelFixture.h"
#include "tests/desktop/SimulatedScreen.h"
#include "tests/support/PictureCompare.h"

#include <gtest/gtest.h>

#include <ctime>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;
using testing_support::PictureDifference;
using testing_support::TestDevice;

// Today in UTC, the time zone the panel is given.
platform::ClockStart Today()
{
    std::time_t now = std::time(nullptr);
    std::tm utc {};
    gmtime_r(&now, &utc);
    return { utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, 12, 0, 0 };
}

bool SameDay(platform::ClockStart const& a, platform::ClockStart const& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

class ClockLocale : public PanelFixture { };

TEST_F(ClockLocale, DayAndMonthNamesFollowTheEnvironmentsTimeLocale)
{
    ASSERT_TRUE(x.Ready());
    std::u16string const layout
        = u"GLOBALSETTINGS\r\nx=40\r\ny=50\r\nArrange=No\r\nWidth=240\r\nHeight=40\r\nBackgroundColor=F4EEDC\r\n"
          u"StartUpAnimation=NoAnimation\r\n\r\nDATE\r\nx=5\r\ny=8\r\nWidth=230\r\nHeight=24\r\nFormat=dddd, d. MMMM yyyy\r\n"
          u"Color=303030\r\n";
    device.WriteUtf16("date.ini", layout);
    device.WriteUtf16("VessarineSettings.ini", u"date.ini\r\n");
    struct Case {
        std::string variable;
        std::string locale;
    };
    std::vector<uint32_t> previous;
    for (Case const& c : { Case { "LC_TIME=de_DE.UTF-8", "de-DE" }, Case { "LANG=en_US.UTF-8", "en-US" } }) {
        SCOPED_TRACE(c.variable);
        platform::ClockStart day = Today();
        platform::DeviceSettings settings = Until(2000);
        settings.clock = day;
        settings.locale = c.locale;
        TestDevice simulated(settings);
        simulated.WriteUtf16("date.ini", layout);
        simulated.WriteUtf16("VessarineSettings.ini", u"date.ini\r\n");
        Geometry where;
        std::vector<uint32_t> expected = SimulatedPicture(simulated, where);
        EXPECT_NE(expected, previous) << "the two locales give the same picture: this test sees nothing";
        previous = expected;

        auto panel = StartPanel({ .environment = { "-u", "LC_ALL", "-u", "LC_TIME", "-u", "LANG", "TZ=UTC", c.variable } });
        XId page = WaitForWindowAt(where);
        ASSERT_NE(page, 0u);
        std::vector<uint32_t> shown;
        bool same = XvfbSession::WaitUntil([&] { return (shown = x.Capture(where)) == expected; }, 3s);
        if (!same && !SameDay(day, Today()))
            GTEST_SKIP() << "the day changed during the test";
        EXPECT_TRUE(same) << PictureDifference({ where.width, where.height, shown }, { where.width, where.height, expected });
        panel->Kill();
        ASSERT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(page); }, 3s));
    }
}

}
}
