// How a page's picture reaches the X server: exposures answered from the
// picture the program keeps, a change sent as the box around what was
// drawn, through shared memory where the server is local and as plain
// images where it is not.

#include "platform/Utf.h"
#include "tests/desktop/PanelFixture.h"
#include "tests/desktop/SimulatedScreen.h"
#include "tests/support/PictureCompare.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>

#include <X11/Xlib.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;
using testing_support::PictureDifference;
using testing_support::TestDevice;

constexpr uint32_t kMagenta = 0xFF00FF;

// A page 240 x 100 at (40, 50) that opens without moving, with a text on it and `objects` below.
std::u16string Page(std::u16string const& objects = u"")
{
    return u"GLOBALSETTINGS\r\nx=40\r\ny=50\r\nArrange=No\r\nWidth=240\r\nHeight=100\r\nBackgroundColor=F4EEDC\r\n"
           u"StartUpAnimation=NoAnimation\r\n\r\nTEXT\r\nx=10\r\ny=60\r\nText=Vessarine auf X\r\nColor=303030\r\n\r\n"
        + objects;
}

constexpr Geometry kPage { 40, 50, 240, 100 };

bool MapsSharedMemory(int pid)
{
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::stringstream text;
    text << maps.rdbuf();
    return text.str().find("/SYSV") != std::string::npos;
}

class PictureTransfer : public PanelFixture {
protected:
    explicit PictureTransfer(XvfbSession::Network network = XvfbSession::Network::LocalOnly)
        : PanelFixture(network)
    {
    }

    // The page as the simulated device shows it.
    std::vector<uint32_t> Expected(std::u16string const& layout)
    {
        device.WriteUtf16("page.ini", layout);
        device.WriteUtf16("VessarineSettings.ini", u"page.ini\r\n");
        Geometry where;
        std::vector<uint32_t> pixels = SimulatedPicture(device, where);
        EXPECT_EQ(where, kPage);
        return pixels;
    }

    // Waits until `area` of the screen shows `expected`; a failure names the pixels that differ.
    static testing::AssertionResult Shows(XvfbSession& session, Geometry area, std::vector<uint32_t> const& expected)
    {
        std::vector<uint32_t> shown;
        if (XvfbSession::WaitUntil([&] { return (shown = session.Capture(area)) == expected; }, 3s))
            return testing::AssertionSuccess();
        return testing::AssertionFailure()
            << PictureDifference({ area.width, area.height, shown }, { area.width, area.height, expected });
    }

    // A pop-up of the test's own in one colour.
    XId Cover(Geometry where)
    {
        XSetWindowAttributes attributes {};
        attributes.background_pixel = kMagenta;
        attributes.override_redirect = True;
        XId window = XCreateWindow(x.Display(), x.Root(), where.x, where.y, unsigned(where.width), unsigned(where.height), 0,
            CopyFromParent, InputOutput, CopyFromParent, CWBackPixel | CWOverrideRedirect, &attributes);
        XMapRaised(x.Display(), window);
        XSync(x.Display(), False);
        return window;
    }
};

TEST_F(PictureTransfer, AnUncoveredPageIsPaintedAgainFromThePictureKept)
{
    ASSERT_TRUE(x.Ready());
    std::vector<uint32_t> expected = Expected(Page());
    auto panel = StartPanel();
    ASSERT_NE(WaitForWindowAt(kPage), 0u);
    ASSERT_TRUE(Shows(x, kPage, expected));

    // Beside the page, a window of the test's own without a background shows
    // what the cover leaves. Both are pop-ups: the page, top-most, would go
    // above an ordinary window.
    XSetWindowAttributes none {};
    none.background_pixmap = None;
    none.override_redirect = True;
    XId unpainted = XCreateWindow(x.Display(), x.Root(), 300, 50, 100, 100, 0, CopyFromParent, InputOutput, CopyFromParent,
        CWBackPixmap | CWOverrideRedirect, &none);
    XMapWindow(x.Display(), unpainted);
    // Over the page, as a menu would be, and gone again.
    XId cover = Cover({ 100, 80, 320, 40 });
    ASSERT_EQ(x.Capture({ 120, 90, 1, 1 }).at(0), kMagenta);
    XUnmapWindow(x.Display(), cover);
    XSync(x.Display(), False);
    EXPECT_TRUE(Shows(x, kPage, expected)) << "the uncovered part of the page was not painted again";
    EXPECT_EQ(x.Capture({ 350, 90, 1, 1 }).at(0), kMagenta) << "the server keeps covered pixels itself: this test sees nothing";
    EXPECT_TRUE(panel->Running());
}

TEST_F(PictureTransfer, AChangeIsSentAsTheBoxAroundWhatWasDrawn)
{
    ASSERT_TRUE(x.Ready());
    // A clock that changes every second, and where it stands on the page.
    device.WriteUtf16("page.ini", Page(u"TIME\r\nx=20\r\ny=10\r\nWidth=120\r\nHeight=24\r\nFormat=HH:mm:ss\r\nInterval=1000\r\n"
                                       u"Color=000000\r\n"));
    device.WriteUtf16("VessarineSettings.ini", u"page.ini\r\n");
    Geometry const clock { 20, 10, 120, 24 };
    auto panel = StartPanel();
    XId page = WaitForWindowAt(kPage);
    ASSERT_NE(page, 0u);
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return PixelAt(kPage.x + 5, kPage.y + 5) == 0xF4EEDC; }, 3s));
    // Once the clock has ticked, the page's first exposure is long answered.
    Geometry const onScreen { kPage.x + clock.x, kPage.y + clock.y, clock.width, clock.height };
    std::vector<uint32_t> first = x.Capture(onScreen);
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.Capture(onScreen) != first; }, 3s)) << "the clock did not change";

    // Drawn over by the test, unseen by the program: only what it sends again replaces the colour.
    GC gc = XCreateGC(x.Display(), page, 0, nullptr);
    XSetForeground(x.Display(), gc, kMagenta);
    XFillRectangle(x.Display(), page, gc, 0, 0, unsigned(kPage.width), unsigned(kPage.height));
    XFreeGC(x.Display(), gc);
    XSync(x.Display(), False);
    auto changed = [&] {
        std::vector<uint32_t> shown = x.Capture(kPage);
        return std::count_if(shown.begin(), shown.end(), [](uint32_t pixel) { return pixel != kMagenta; });
    };
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return changed() > 0; }, 3s)) << "the clock did not change";
    std::this_thread::sleep_for(100ms);

    // The box around the pixels that came again.
    std::vector<uint32_t> shown = x.Capture(kPage);
    int left = kPage.width, top = kPage.height, right = 0, bottom = 0;
    for (int y = 0; y < kPage.height; ++y) {
        for (int column = 0; column < kPage.width; ++column) {
            if (shown[size_t(y) * size_t(kPage.width) + size_t(column)] == kMagenta)
                continue;
            left = std::min(left, column);
            top = std::min(top, y);
            right = std::max(right, column + 1);
            bottom = std::max(bottom, y + 1);
        }
    }
    // The clock draws its whole box, and nothing else changed.
    EXPECT_EQ((Geometry { left, top, right - left, bottom - top }), clock);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), kMagenta), kPage.width * kPage.height - clock.width * clock.height)
        << "the box did not come in one piece";
    EXPECT_TRUE(panel->Running());
}

// The server also listens on TCP, as one on another machine would.
class PictureTransferOverTcp : public PictureTransfer {
protected:
    PictureTransferOverTcp()
        : PictureTransfer(XvfbSession::Network::Tcp)
    {
    }
};

TEST_F(PictureTransferOverTcp, ALocalServerGetsSharedMemoryARemoteOnePlainImagesAndTheSamePicture)
{
    ASSERT_TRUE(x.Ready());
    std::vector<uint32_t> expected = Expected(Page());
    // The same server, once by its local name and once by a network name.
    for (std::string host : { "", "localhost" }) {
        SCOPED_TRACE("DISPLAY=" + host + ":" + x.Number());
        auto panel = StartPanel({ .environment = { "DISPLAY=" + host + ":" + x.Number() } });
        XId page = WaitForWindowAt(kPage);
        ASSERT_NE(page, 0u);
        EXPECT_TRUE(Shows(x, kPage, expected));
        EXPECT_EQ(MapsSharedMemory(panel->Pid()), host.empty());
        panel->Kill();
        ASSERT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(page); }, 3s));
    }
}

}
}
