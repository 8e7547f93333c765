// The panel on a real X server: its windows, pixels, taps, double-clicks and
// layout switches, compared with what the simulated device shows; with
// --watch, the files it read written anew while it runs.

#include "platform/MessageBox.h"
#include "platform/Utf.h"
#include "tests/desktop/PanelFixture.h"
#include "tests/desktop/SimulatedScreen.h"
#include "tests/support/BmpWriter.h"
#include "tests/support/PictureCompare.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;
using testing_support::PictureDifference;
using testing_support::TestDevice;

std::string ReadExample(char const* name)
{
    std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

struct ChildState {
    int pid = 0;
    char state = 0;
};

// The processes whose parent is `parent`, with their state (Z: ended, not yet reaped).
std::vector<ChildState> ChildrenOf(int parent)
{
    std::vector<ChildState> children;
    for (auto const& entry : std::filesystem::directory_iterator("/proc")) {
        std::string const name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        std::string stat = testing_support::ReadProcessFile(entry.path() / "stat");
        // pid (name) state ppid ...; the name may hold blanks and parentheses.
        size_t nameEnd = stat.rfind(')');
        if (nameEnd == std::string::npos)
            continue;
        std::istringstream rest(stat.substr(nameEnd + 1));
        char state = 0;
        int ppid = 0;
        if (rest >> state >> ppid && ppid == parent)
            children.push_back({ std::atoi(stat.c_str()), state });
    }
    return children;
}

// The example's first page alone: its pictures are fixed (no clock, no gauges).
void WriteExamplePanel(TestDevice& device)
{
    device.WriteBytes("main.ini", ReadExample("main.ini"));
    device.WriteBytes("details.ini", ReadExample("details.ini"));
    device.WriteBytes("background.bmp", ReadExample("background.bmp"));
    device.WriteUtf16("VessarineSettings.ini", u"main.ini\r\n");
}

class PanelOnDesktop : public PanelFixture {
protected:
    // A page with one large button running `command`, without animations.
    void WriteButtonPanel(std::u16string const& command)
    {
        device.WriteUtf16("panel.ini",
            u"GLOBALSETTINGS\r\nx=40\r\ny=50\r\nWidth=160\r\nHeight=90\r\nBackgroundColor=306030\r\nShowMessage=0\r\n"
            u"StartUpAnimation=NoAnimation\r\n\r\nBUTTON\r\nx=10\r\ny=10\r\nWidth=100\r\nHeight=50\r\nCommand="
                + command + u"\r\n");
        device.WriteUtf16("VessarineSettings.ini", u"panel.ini\r\n");
    }

    // As editors save: the new text goes to another file, renamed over the old one.
    void SaveByRename(std::string const& name, std::u16string const& text, bool bom = true)
    {
        device.WriteUtf16(name + ".new", text, bom);
        std::filesystem::rename(device.Root() + "/" + name + ".new", device.Root() + "/" + name);
    }

    size_t ShownWindows()
    {
        size_t shown = 0;
        for (XId window : x.WindowsOfClass("vessarine"))
            shown += x.IsShown(window) ? 1 : 0;
        return shown;
    }
};

TEST_F(PanelOnDesktop, ShowsTheSimulatedPictureAtItsRectangle)
{
    ASSERT_TRUE(x.Ready());
    WriteExamplePanel(device);
    Geometry where;
    std::vector<uint32_t> expected = SimulatedPicture(device, where);
    // The example's rectangle, its border of 2 included.
    ASSERT_EQ(where, (Geometry { 16, 12, 240, 200 }));

    auto panel = StartPanel();
    ASSERT_NE(WaitForWindowAt(where), 0u) << "no panel window at its rectangle";
    std::vector<uint32_t> shown;
    // The last animation step and its paint may still be on their way.
    bool same = XvfbSession::WaitUntil([&] { return (shown = x.Capture(where)) == expected; }, 3s);
    EXPECT_TRUE(same) << PictureDifference({ where.width, where.height, shown }, { where.width, where.height, expected });
}

TEST_F(PanelOnDesktop, TapRunsTheButtonsCommandAndDoubleTapClosesWithItsCode)
{
    ASSERT_TRUE(x.Ready());
    std::string marker = device.Root() + "/tapped";
    device.WriteBytes("mark.sh", "#!/bin/sh\necho tapped > \"" + marker + "\"\n");
    chmod((device.Root() + "/mark.sh").c_str(), 0755);
    device.WriteUtf16("panel.ini",
        u"GLOBALSETTINGS\r\nx=40\r\ny=50\r\nWidth=160\r\nHeight=90\r\nBackgroundColor=306030\r\nShowMessage=0\r\nStartUpAnimation=NoAnimation\r\n\r\n"
        u"BUTTON\r\nx=10\r\ny=10\r\nWidth=60\r\nHeight=30\r\nCommand="
            + platform::FromUtf8(device.Root()) + u"/mark.sh\r\n");
    device.WriteUtf16("VessarineSettings.ini", u"panel.ini\r\n");

    Geometry where;
    SimulatedPicture(device, where);
    auto panel = StartPanel();
    ASSERT_NE(WaitForWindowAt(where), 0u);
    Click(where, 30, 20);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return std::filesystem::exists(marker); })) << "the command did not run";

    Click(where, 120, 15, 2);
    // A double tap closes with the key state it carries: the left button, 1.
    EXPECT_EQ(panel->WaitForExit(5s), std::optional<int>(1));
}

TEST_F(PanelOnDesktop, AMissingProgramShowsTheShellsBoxAndOneLine)
{
    ASSERT_TRUE(x.Ready());
    WriteButtonPanel(u"\\nichtda.exe");
    Geometry where;
    SimulatedPicture(device, where);
    std::string const errors = device.Root() + "/error.txt";
    auto panel = StartPanel({ .errorFile = errors });
    ASSERT_NE(WaitForWindowAt(where), 0u);

    Click(where, 30, 20);
    XId box = 0;
    ASSERT_TRUE(XvfbSession::WaitUntil([&] {
        for (XId window : x.WindowsOfClass("vessarine")) {
            if (x.IsShown(window) && x.TitleOf(window) == "Fehler")
                box = window;
        }
        return box != 0;
    })) << "no box";
    EXPECT_TRUE(ShowsTheDrawnBox(x, box, u"„\\nichtda.exe“ kann nicht geöffnet werden:\nDie Datei wurde nicht gefunden.",
        u"Fehler", platform::Box::IconError));

    x.Xdotool({ "key", "Return" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(box); }, 3s)) << "the box stayed";
    EXPECT_TRUE(panel->Running());
    EXPECT_EQ(Lines(errors), std::vector<std::string> { "vessarine: cannot start \"\\nichtda.exe\": no such file" });
}

TEST_F(PanelOnDesktop, AHundredStartsLeaveNoZombie)
{
    ASSERT_TRUE(x.Ready());
    std::string const count = device.Root() + "/count";
    device.WriteBytes("count.sh", "#!/bin/sh\necho x >> \"" + count + "\"\n");
    chmod((device.Root() + "/count.sh").c_str(), 0755);
    WriteButtonPanel(platform::FromUtf8(device.Root()) + u"/count.sh");
    Geometry where;
    SimulatedPicture(device, where);
    auto panel = StartPanel();
    ASSERT_NE(WaitForWindowAt(where), 0u);

    // Taps alternate between two points apart, so that no two make a double tap.
    std::vector<std::string> taps;
    for (int i = 0; i < 100; ++i) {
        int const dx = i % 2 ? 20 : 70;
        taps.insert(taps.end(),
            { "mousemove", std::to_string(where.x + dx), std::to_string(where.y + 30), "mousedown", "1", "mouseup", "1" });
    }
    x.Xdotool(taps);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return Lines(count).size() == 100; }))
        << Lines(count).size() << " of the 100 starts ran";
    std::vector<ChildState> left;
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return (left = ChildrenOf(panel->Pid())).empty(); }, 3s))
        << left.size() << " children are left, the first in state " << (left.empty() ? '-' : left.front().state);
    EXPECT_TRUE(panel->Running());
}

TEST_F(PanelOnDesktop, LayoutSwitchAnimatesAndReplacesTheWindow)
{
    ASSERT_TRUE(x.Ready());
    WriteExamplePanel(device);
    auto panel = StartPanel();
    Geometry first { 16, 12, 240, 200 };
    XId before = WaitForWindowAt(first);
    ASSERT_NE(before, 0u);
    // The new page flies in: it is seen on its way, away from its place.
    Geometry place { 16, 12, 200, 150 };
    bool seenOnTheWay = TapUntil(first, 84 + 35, 132 + 12, 1, [&] { // "Mehr »"
        for (XId window : x.WindowsOfClass("vessarine")) {
            Geometry g = x.GeometryOf(window);
            if (window != before && x.IsShown(window) && g.width == place.width && !(g == place))
                return true;
        }
        return false;
    });
    EXPECT_TRUE(seenOnTheWay);
    XId after = WaitForWindowAt(place);
    EXPECT_NE(after, 0u);
    EXPECT_NE(after, before);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(before); }, 3s)) << "the first page is still shown";
    EXPECT_TRUE(panel->Running());
}

TEST_F(PanelOnDesktop, DoubleTapAsksInARealBoxThatEnterCloses)
{
    ASSERT_TRUE(x.Ready());
    WriteExamplePanel(device);
    auto panel = StartPanel();
    Geometry page { 16, 12, 240, 200 };
    ASSERT_NE(WaitForWindowAt(page), 0u);
    XId box = 0;
    ASSERT_TRUE(TapUntil(page, 100, 90, 2, [&] {
        for (XId window : x.WindowsOfClass("vessarine")) {
            if (x.IsShown(window) && x.TitleOf(window) == "Über")
                box = window;
        }
        return box != 0;
    })) << "no box";
    // In the middle of the screen, above the page it belongs to.
    Geometry place = x.GeometryOf(box);
    EXPECT_NEAR(place.x + place.width / 2, XvfbSession::kWidth / 2, 1);
    EXPECT_NEAR(place.y + place.height / 2, XvfbSession::kHeight / 2, 1);
    EXPECT_TRUE(panel->Running()) << "the panel closed before the box was answered";

    x.Xdotool({ "key", "Return" });
    EXPECT_EQ(panel->WaitForExit(5s), std::optional<int>(1));
}

// A page of one colour, 160 x 90, that opens without moving; at (40, 50) unless moved.
std::u16string PlainPage(std::u16string const& colour, std::u16string const& more = u"", Geometry at = { 40, 50 })
{
    return u"GLOBALSETTINGS\r\nx=" + platform::FromUtf8(std::to_string(at.x)) + u"\r\ny="
        + platform::FromUtf8(std::to_string(at.y))
        + u"\r\nArrange=No\r\nWidth=160\r\nHeight=90\r\nBackgroundColor=" + colour
        + u"\r\nStartUpAnimation=NoAnimation\r\nAnimationTime=300\r\n" + more;
}

constexpr Geometry kPlainPage { 40, 50, 160, 90 };

TEST_F(PanelOnDesktop, WatchingItTakesUpAChangedLayoutAndKeepsThePageWhenTheFileNoLongerReads)
{
    ASSERT_TRUE(x.Ready());
    device.WriteUtf16("panel.ini", PlainPage(u"306030"));
    device.WriteUtf16("VessarineSettings.ini", u"panel.ini\r\n");
    auto panel = StartPanel({ .arguments = { "--watch" } });
    XId first = WaitForWindowAt(kPlainPage);
    ASSERT_NE(first, 0u);
    auto centre = [&] { return PixelAt(120, 95); };
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return centre() == 0x306030; }, 3s));

    SaveByRename("panel.ini", PlainPage(u"A03020"));
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return centre() == 0xA03020; }, 1s))
        << "the page did not take up its new colour within a second";
    // As a layout switch does: a new window, and the old one goes.
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(first); }, 3s)) << "the old page is still shown";
    XId second = WaitForWindowAt(kPlainPage);
    ASSERT_NE(second, 0u);
    EXPECT_NE(second, first);

    // A file it did not read, beside the ones it did: nothing is opened again.
    device.WriteBytes("notes.txt", "written beside the layout");
    SaveByRename("other.ini", PlainPage(u"FFFFFF"));
    std::this_thread::sleep_for(800ms);
    EXPECT_TRUE(x.IsShown(second)) << "a file it did not read replaced the page";
    EXPECT_EQ(x.WindowsOfClass("vessarine"), std::vector<XId> { second });

    // Saved without its byte-order mark: the usual box, and the page as it was.
    SaveByRename("panel.ini", PlainPage(u"2040A0"), false);
    XId box = WaitForTitle("Fehler", 2s);
    ASSERT_NE(box, 0u) << "no message about the file";
    EXPECT_EQ(centre(), 0xA03020u);
    x.Xdotool({ "key", "Return" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(box); }, 3s)) << "the box did not close";
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(x.IsShown(second)) << "the page went with the broken file";
    EXPECT_EQ(centre(), 0xA03020u);
    EXPECT_EQ(ShownWindows(), 1u);

    // Mended, the file is taken up again.
    SaveByRename("panel.ini", PlainPage(u"2040A0"));
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return centre() == 0x2040A0; }, 1s));
    EXPECT_TRUE(panel->Running());
}

TEST_F(PanelOnDesktop, WatchingItTakesUpAChangedPictureAndSettingsFile)
{
    ASSERT_TRUE(x.Ready());
    auto writePicture = [&](uint32_t colour) {
        testing_support::BmpFile file;
        file.width = 160;
        file.height = 90;
        for (int row = 0; row < 90; ++row)
            file.rows.push_back(testing_support::Row24(std::vector<uint32_t>(160, colour)));
        device.WriteBytes("wall.bmp", file.Bytes());
    };
    writePicture(0x102030);
    device.WriteUtf16("panel.ini", PlainPage(u"000000", u"BackgroundBitmap=wall.bmp\r\n"));
    device.WriteUtf16("right.ini", PlainPage(u"30A050", u"", { 300, 50 }));
    device.WriteUtf16("VessarineSettings.ini", u"panel.ini\r\n");
    auto panel = StartPanel({ .arguments = { "--watch" } });
    ASSERT_NE(WaitForWindowAt(kPlainPage), 0u);
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return PixelAt(120, 95) == 0x102030; }, 3s));

    // Written in place, as a program that makes pictures writes them.
    writePicture(0x805020);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return PixelAt(120, 95) == 0x805020; }, 1s))
        << "the page did not take up its changed picture";

    // A second layout line, and a third whose file is not there yet: its
    // message, then two pages; once written, the third page comes too.
    SaveByRename("VessarineSettings.ini", u"panel.ini\r\nright.ini\r\nlater.ini\r\n");
    XId box = WaitForTitle("Datei nicht gefunden:", 2s);
    ASSERT_NE(box, 0u) << "no message about the missing layout";
    x.Xdotool({ "key", "Return" });
    Geometry right { 300, 50, 160, 90 };
    EXPECT_NE(WaitForWindowAt(right), 0u) << "no page for the new line";
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return ShownWindows() == 2; }, 3s));
    EXPECT_EQ(PixelAt(380, 95), 0x30A050u);
    EXPECT_EQ(PixelAt(120, 95), 0x805020u);

    device.WriteUtf16("later.ini", PlainPage(u"C0C000", u"", { 40, 300 }));
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return ShownWindows() == 3; }, 2s)) << "the missing layout's page did not come";
    EXPECT_NE(WaitForWindowAt({ 40, 300, 160, 90 }), 0u);
    EXPECT_TRUE(panel->Running());
}

}
}
