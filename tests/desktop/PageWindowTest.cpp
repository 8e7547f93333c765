// The panel's pages as X windows: pop-ups that no window manager frames,
// places or lists; top-most ones above the other programs' windows, also
// those that open or rise later, though not above their pop-ups; animations
// that move them every 20 ms.

#include "platform/Utf.h"
#include "tests/desktop/PanelFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <poll.h>
#include <thread>

#include <X11/Xlib.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;

constexpr uint32_t kCoverColour = 0x2040A0;

// A page of one colour, 160 x 90 at `at`, with `more` global settings.
std::u16string Page(Geometry at, std::u16string const& colour, std::u16string const& more)
{
    return u"GLOBALSETTINGS\r\nx=" + platform::FromUtf8(std::to_string(at.x)) + u"\r\ny="
        + platform::FromUtf8(std::to_string(at.y)) + u"\r\nArrange=No\r\nWidth=160\r\nHeight=90\r\nBackgroundColor="
        + colour + u"\r\n" + more;
}

class PageWindow : public PanelFixture {
protected:
    // Starts the panel on the layouts `names`.
    std::unique_ptr<ChildProcess> StartPanelOn(std::u16string const& names)
    {
        device.WriteUtf16("VessarineSettings.ini", names);
        return StartPanel();
    }

    // An ordinary window of another program, in one colour.
    XId OtherProgramsWindow(Geometry where)
    {
        Display* display = x.Display();
        XId window = XCreateSimpleWindow(display, x.Root(), where.x, where.y, unsigned(where.width), unsigned(where.height), 0, 0,
            kCoverColour);
        XMapWindow(display, window);
        XSync(display, False);
        return window;
    }
};

TEST_F(PageWindow, UnderAWindowManagerAPageIsNeitherFramedNorPlacedNorListed)
{
    ASSERT_TRUE(x.Ready());
    ASSERT_TRUE(x.StartWindowManager()) << "openbox did not start";
    device.WriteUtf16("page.ini", Page({ 40, 50 }, u"306030", u"StartUpAnimation=NoAnimation\r\n"));
    auto panel = StartPanelOn(u"page.ini\r\n");
    Geometry const place { 40, 50, 160, 90 };
    XId page = WaitForWindowAt(place);
    ASSERT_NE(page, 0u) << "no page at the place its file gives";

    XWindowAttributes attributes {};
    ASSERT_TRUE(XGetWindowAttributes(x.Display(), page, &attributes));
    EXPECT_TRUE(attributes.override_redirect);
    // A framed window would be a child of its frame; the manager lists the windows it manages.
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(x.ParentOf(page), x.Root());
    EXPECT_EQ(x.GeometryOf(page), place);
    std::vector<long> managed = x.Property(x.Root(), "_NET_CLIENT_LIST");
    EXPECT_EQ(std::count(managed.begin(), managed.end(), long(page)), 0) << "the window manager lists the page";
    EXPECT_TRUE(panel->Running());
}

TEST_F(PageWindow, ATopMostPageGoesAboveWindowsThatOpenOrRiseLaterAnOrdinaryPageDoesNot)
{
    ASSERT_TRUE(x.Ready());
    device.WriteUtf16("top.ini", Page({ 40, 50 }, u"306030", u"StartUpAnimation=NoAnimation\r\nTopMost=1\r\n"));
    device.WriteUtf16("plain.ini", Page({ 300, 50 }, u"A03020", u"StartUpAnimation=NoAnimation\r\nTopMost=0\r\n"));
    auto panel = StartPanelOn(u"top.ini\r\nplain.ini\r\n");
    ASSERT_NE(WaitForWindowAt({ 40, 50, 160, 90 }), 0u);
    ASSERT_NE(WaitForWindowAt({ 300, 50, 160, 90 }), 0u);
    auto topShown = [&] { return PixelAt(120, 95) == 0x306030; };
    auto plainShown = [&] { return PixelAt(380, 95) == 0xA03020; };
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return topShown() && plainShown(); }, 3s));

    // Opened over both pages.
    XId other = OtherProgramsWindow({ 0, 0, 640, 300 });
    EXPECT_TRUE(XvfbSession::WaitUntil(topShown, 2s)) << "the top-most page stays under a window opened later";
    EXPECT_EQ(PixelAt(380, 95), kCoverColour) << "the ordinary page came above the other window";

    // Raised again, as a window manager raises the window the user clicks.
    XRaiseWindow(x.Display(), other);
    XSync(x.Display(), False);
    std::this_thread::sleep_for(100ms);
    EXPECT_TRUE(XvfbSession::WaitUntil(topShown, 2s)) << "the top-most page stays under a window raised later";
    EXPECT_EQ(PixelAt(380, 95), kCoverColour);

    // Another program's pop-up, such as a menu, may stand above it.
    XSetWindowAttributes popUp {};
    popUp.override_redirect = True;
    popUp.background_pixel = 0xE0E0E0;
    XId menu = XCreateWindow(x.Display(), x.Root(), 100, 80, 60, 40, 0, CopyFromParent, InputOutput, CopyFromParent,
        CWOverrideRedirect | CWBackPixel, &popUp);
    XMapRaised(x.Display(), menu);
    XSync(x.Display(), False);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(PixelAt(120, 95), 0xE0E0E0u) << "the top-most page went above another program's pop-up";
    EXPECT_TRUE(panel->Running());
}

TEST_F(PageWindow, AnAnimationMovesThePageEveryTwentyMilliseconds)
{
    ASSERT_TRUE(x.Ready());
    Display* display = x.Display();
    // Every move of a window on the screen, as it happens.
    XSelectInput(display, x.Root(), SubstructureNotifyMask);
    XSync(display, False);
    device.WriteUtf16("page.ini",
        Page({ 300, 50 }, u"306030", u"StartUpAnimation=FlyRight\r\nAccelerated=0\r\nAnimationTime=600\r\n"));
    auto panel = StartPanelOn(u"page.ini\r\n");

    struct Move {
        XId window;
        int x;
        std::chrono::steady_clock::time_point when;
    };
    std::vector<Move> moves;
    auto const end = std::chrono::steady_clock::now() + 5s;
    bool arrived = false;
    while (!arrived && std::chrono::steady_clock::now() < end) {
        pollfd readable { ConnectionNumber(display), POLLIN, 0 };
        poll(&readable, 1, 5);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != ConfigureNotify || !event.xconfigure.override_redirect)
                continue;
            moves.push_back({ event.xconfigure.window, event.xconfigure.x, std::chrono::steady_clock::now() });
            arrived = event.xconfigure.x == 300;
        }
    }
    ASSERT_TRUE(arrived) << "the page did not arrive at its place";
    std::vector<double> steps;
    for (size_t i = 1; i < moves.size(); ++i) {
        if (moves[i].window == moves.back().window && moves[i - 1].window == moves.back().window && moves[i].x != moves[i - 1].x)
            steps.push_back(std::chrono::duration<double, std::milli>(moves[i].when - moves[i - 1].when).count());
    }
    // 600 ms in steps of 20 ms; a late step is caught up by the next, and the first ones may fall together.
    ASSERT_GE(steps.size(), 15u);
    EXPECT_LE(steps.size(), 31u);
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() / 2), steps.end());
    EXPECT_NEAR(steps[steps.size() / 2], 20.0, 5.0) << "the median time between two moves, in ms";
    EXPECT_TRUE(panel->Running());
}

}
}
