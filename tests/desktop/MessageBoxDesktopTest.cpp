// Message boxes on a real X server: they take the keyboard while open and
// give it back to the window that had it; Enter answers the first button,
// Escape cancels; the program's timers run on meanwhile. A start that fails
// shows the shell's box from the daemon as from the panel.

#include "platform/MessageBox.h"
#include "platform/Utf.h"
#include "tests/desktop/DaemonFixture.h"
#include "tests/desktop/PanelFixture.h"
#include "tests/desktop/SimulatedScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include <X11/Xlib.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;

// The window that has the keyboard focus on `x`'s server.
XId Focus(XvfbSession& x)
{
    ::Window focus = 0;
    int revert = 0;
    XGetInputFocus(x.Display(), &focus, &revert);
    return focus;
}

// A window of the test's own, away from the programs' windows, that has the keyboard focus.
XId FocusedWindowOf(XvfbSession& x)
{
    XId window = XCreateSimpleWindow(x.Display(), x.Root(), 400, 360, 100, 60, 0, 0, 0xFFFFFF);
    XMapWindow(x.Display(), window);
    XSync(x.Display(), False);
    XvfbSession::WaitUntil([&] { return x.IsShown(window); });
    XSetInputFocus(x.Display(), window, RevertToParent, CurrentTime);
    XSync(x.Display(), False);
    return window;
}

class PanelBox : public PanelFixture { };

TEST_F(PanelBox, WhileItsBoxIsOpenTheClockRunsTheBoxHasTheKeyboardAndEscapeClosesIt)
{
    ASSERT_TRUE(x.Ready());
    XId focused = FocusedWindowOf(x);
    device.WriteUtf16("panel.ini",
        u"GLOBALSETTINGS\r\nx=40\r\ny=50\r\nArrange=No\r\nWidth=160\r\nHeight=90\r\nBackgroundColor=306030\r\n"
        u"StartUpAnimation=NoAnimation\r\n\r\nBUTTON\r\nx=10\r\ny=10\r\nWidth=100\r\nHeight=30\r\nCommand=\\nichtda.exe\r\n\r\n"
        u"TIME\r\nx=10\r\ny=50\r\nWidth=140\r\nHeight=24\r\nFormat=HH:mm:ss\r\nInterval=1000\r\nColor=FFFFFF\r\n");
    device.WriteUtf16("VessarineSettings.ini", u"panel.ini\r\n");
    std::string const errors = device.Root() + "/error.txt";
    auto panel = StartPanel({ .errorFile = errors });
    Geometry const page { 40, 50, 160, 90 };
    ASSERT_NE(WaitForWindowAt(page), 0u);

    XId box = 0;
    ASSERT_TRUE(TapUntil(page, 60, 25, 1, [&] { return (box = WaitForTitle("Fehler", 100ms)) != 0; })) << "no box";
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return Focus(x) == box; }, 2s)) << "the box did not take the keyboard";
    Geometry const clock { page.x + 10, page.y + 50, 140, 24 };
    std::vector<uint32_t> before = x.Capture(clock);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return x.Capture(clock) != before; }, 2500ms))
        << "the clock stood still while the box was open";
    EXPECT_TRUE(x.IsShown(box));

    x.Xdotool({ "key", "Escape" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(box); }, 3s)) << "Escape did not close the box";
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return Focus(x) == focused; }, 2s)) << "the keyboard was not given back";
    EXPECT_TRUE(panel->Running());
    EXPECT_EQ(Lines(errors), std::vector<std::string> { "vessarine: cannot start \"\\nichtda.exe\": no such file" });
}

class DaemonBox : public DaemonFixture {
protected:
    XId WaitForBox(std::string const& title)
    {
        return x.WaitForWindow("brellum", [&](XId window) { return x.TitleOf(window) == title; }, 3s);
    }
};

TEST_F(DaemonBox, ItsQuestionIsAnsweredNoByEscapeAndYesByEnterAndTheKeyboardComesBack)
{
    ASSERT_TRUE(x.Ready());
    XId focused = FocusedWindowOf(x);
    // A program that runs until it is ended, and says who it is.
    device.WriteBytes("long.sh", "#!/bin/sh\necho $$ > \"" + Marker("pid") + "\"\nexec sleep 30\n");
    std::filesystem::permissions(Marker("long.sh"), std::filesystem::perms::owner_all);
    auto daemon = StartDaemon(u"BRELLUM\r\nKeyCode=65\r\nCommand=" + platform::FromUtf8(Marker("long.sh")) + u"\r\n\r\n");
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.TitleOf(DaemonWindow()) == "Brellum v1.3 (1 aktiv)"; }));
    HoldKey("a", 600ms);
    int pid = 0;
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return (pid = std::atoi(ReadText("pid").c_str())) > 0; }, 3s));
    auto running = [&] { return std::filesystem::exists("/proc/" + std::to_string(pid)); };

    // Pressed again while it runs: "Terminieren?", with "Ja" and "Nein".
    HoldKey("a", 600ms);
    XId box = WaitForBox("Terminieren?");
    ASSERT_NE(box, 0u) << "no question";
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return Focus(x) == box; }, 2s)) << "the box did not take the keyboard";
    x.Xdotool({ "key", "Escape" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(box); }, 3s)) << "Escape did not close the box";
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return Focus(x) == focused; }, 2s)) << "the keyboard was not given back";
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(running()) << "Escape answered Ja";

    HoldKey("a", 600ms);
    box = WaitForBox("Terminieren?");
    ASSERT_NE(box, 0u) << "no question the second time";
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return Focus(x) == box; }, 2s));
    x.Xdotool({ "key", "Return" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !running(); }, 3s)) << "Enter did not answer Ja";
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return Focus(x) == focused; }, 2s)) << "the keyboard was not given back";
    EXPECT_TRUE(daemon->Running());
}

TEST_F(DaemonBox, AStartThatFailsShowsTheShellsBoxAndOneLine)
{
    ASSERT_TRUE(x.Ready());
    auto daemon = StartDaemon(u"BRELLUM\r\nKeyCode=65\r\nCommand=\\nichtda.exe\r\n\r\n", {}, "Brellum.ini", "error.txt");
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.TitleOf(DaemonWindow()) == "Brellum v1.3 (1 aktiv)"; }));
    HoldKey("a", 600ms);
    XId box = WaitForBox("Fehler");
    ASSERT_NE(box, 0u) << "no box";
    EXPECT_TRUE(ShowsTheDrawnBox(x, box, u"„\\nichtda.exe“ kann nicht geöffnet werden:\nDie Datei wurde nicht gefunden.",
        u"Fehler", platform::Box::IconError));
    x.Xdotool({ "key", "Return" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(box); }, 3s)) << "the box stayed";
    EXPECT_EQ(Lines(Marker("error.txt")), std::vector<std::string> { "brellum: cannot start \"\\nichtda.exe\": no such file" });
    EXPECT_TRUE(daemon->Running());
}

}
}
