// The daemon on a real X server: keys taken system-wide, presses timed from
// real key events, taps handed back to the focused window, the tray icon;
// with --watch, its binding file written anew while it runs.

#include "daemon/BrellumMain.h"
#include "platform/Utf.h"
#include "platform/Windowing.h"
#include "tests/desktop/XvfbSession.h"
#include "tests/support/PictureCompare.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <thread>

#include <X11/Xlib.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;
using testing_support::PictureDifference;
using testing_support::TestDevice;

constexpr int kKeyA = 0x41;
constexpr int kKeyB = 0x42;

class DaemonOnDesktop : public testing::Test {
protected:
    XvfbSession x;
    TestDevice device;

    std::string Marker(std::string const& name) { return device.Root() + "/" + name; }

    // A binding whose short press leaves a file named `marker`.
    std::u16string Binding(int keyCode, std::string const& marker)
    {
        std::string script = "mark-" + marker + ".sh";
        device.WriteBytes(script, "#!/bin/sh\necho pressed > \"" + Marker(marker) + "\"\n");
        chmod(Marker(script).c_str(), 0755);
        return u"BRELLUM\r\nKeyCode=" + platform::FromUtf8(std::to_string(keyCode)) + u"\r\nCommand="
            + platform::FromUtf8(Marker(script)) + u"\r\n\r\n";
    }

    static std::u16string BindingFile(std::u16string const& bindings)
    {
        return bindings + u"SETTINGS\r\nElapseTime=300\r\nElapseTimeLong=3000\r\n";
    }

    std::unique_ptr<ChildProcess> StartDaemon(std::u16string const& bindings, bool watch = false)
    {
        device.WriteUtf16("Brellum.ini", BindingFile(bindings));
        std::vector<std::string> arguments { Marker("Brellum.ini") };
        if (watch)
            arguments.insert(arguments.begin(), "--watch");
        return std::make_unique<ChildProcess>(BRELLUM_PATH, arguments);
    }

    XId DaemonWindow()
    {
        XId found = 0;
        XvfbSession::WaitUntil([&] {
            for (XId window : x.WindowsOfClass("brellum")) {
                if (x.TitleOf(window).starts_with("Brellum"))
                    found = window;
            }
            return found != 0;
        });
        return found;
    }

    Display* display() { return x.Display(); }

    // The daemon's client area on the simulated device after F5 went down and up in it.
    std::vector<uint32_t> SimulatedProbeAfterF5()
    {
        platform::DeviceSettings settings;
        settings.until = 1000;
        TestDevice simulated(settings);
        simulated.WriteUtf16("Brellum.ini", u"SETTINGS\r\nElapseTime=300\r\nElapseTimeLong=3000\r\n");
        platform::WindowSystem& windows = simulated.Device().Windows();
        std::vector<uint32_t> pixels;
        simulated.Device().Schedule(300, [&] {
            windows.SetForegroundWindow(windows.Windows().front());
            windows.Key(0x74, true);
            windows.Key(0x74, false);
        });
        simulated.Device().Schedule(600, [&] {
            platform::WindowHandle window = windows.Windows().front();
            platform::Surface const& picture = *windows.PictureOf(window);
            platform::Point offset = windows.ClientOffset(window);
            platform::Rect client = windows.ClientRect(window);
            for (int32_t y = 0; y < client.Height(); ++y) {
                for (int32_t column = 0; column < client.Width(); ++column)
                    pixels.push_back(picture.Row(offset.y + y)[offset.x + column] & 0xFFFFFF);
            }
        });
        brellum::BrellumMain(u"\\Brellum.ini");
        return pixels;
    }

    // A window of the test's own that has the keyboard focus and notes the keys it gets.
    XId FocusedWindow()
    {
        Display* display = x.Display();
        XId window = XCreateSimpleWindow(display, x.Root(), 300, 300, 100, 60, 0, 0, 0xFFFFFF);
        XSelectInput(display, window, KeyPressMask);
        XMapWindow(display, window);
        XSync(display, False);
        XvfbSession::WaitUntil([&] { return x.IsShown(window); });
        XSetInputFocus(display, window, RevertToParent, CurrentTime);
        XSync(display, False);
        return window;
    }

    int KeyPressesIn(XId window)
    {
        int presses = 0;
        XEvent event;
        while (XCheckTypedWindowEvent(x.Display(), window, KeyPress, &event))
            ++presses;
        return presses;
    }

    void HoldKey(char const* key, std::chrono::milliseconds time)
    {
        x.Xdotool({ "keydown", key, "sleep", std::to_string(double(time.count()) / 1000.0), "keyup", key });
    }
};

TEST_F(DaemonOnDesktop, ShortPressRunsItsCommandAndATapReachesTheFocusedWindow)
{
    ASSERT_TRUE(x.Ready());
    XId focused = FocusedWindow();
    auto daemon = StartDaemon(Binding(kKeyA, "a"));
    ASSERT_NE(DaemonWindow(), 0u);
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.TitleOf(DaemonWindow()) == "Brellum v1.3 (1 aktiv)"; }));

    x.Xdotool({ "key", "a" });
    int presses = 0;
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return (presses += KeyPressesIn(focused)) > 0; }, 3s))
        << "the tap did not reach the focused window";
    EXPECT_EQ(presses, 1);
    EXPECT_FALSE(std::filesystem::exists(Marker("a")));

    HoldKey("a", 700ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return std::filesystem::exists(Marker("a")); }, 3s))
        << "the short press did not run its command";
    EXPECT_EQ(KeyPressesIn(focused), 0) << "a timed press must not reach the window";
    EXPECT_TRUE(daemon->Running());
}

TEST_F(DaemonOnDesktop, KeyHeldByAnotherProgramIsLeftToItWhileTheOthersWork)
{
    ASSERT_TRUE(x.Ready());
    Display* display = x.Display();
    int keyCodeB = XKeysymToKeycode(display, XStringToKeysym("b"));
    XGrabKey(display, keyCodeB, AnyModifier, x.Root(), False, GrabModeAsync, GrabModeAsync);
    XSync(display, False);

    auto daemon = StartDaemon(Binding(kKeyB, "b") + Binding(kKeyA, "a"));
    ASSERT_NE(DaemonWindow(), 0u);
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.TitleOf(DaemonWindow()) == "Brellum v1.3 (2 aktiv)"; }));
    HoldKey("b", 700ms);
    HoldKey("a", 700ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return std::filesystem::exists(Marker("a")); }, 3s));
    EXPECT_FALSE(std::filesystem::exists(Marker("b"))) << "the key held by another program reached the daemon";
    XEvent event;
    EXPECT_TRUE(XCheckTypedEvent(display, KeyPress, &event)) << "the other program lost its key";
    EXPECT_TRUE(daemon->Running());
}

TEST_F(DaemonOnDesktop, WithoutBindingsItsFramedWindowShowsAndItsCloseButtonEndsIt)
{
    ASSERT_TRUE(x.Ready());
    auto daemon = StartDaemon(u"");
    XId window = DaemonWindow();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.IsShown(window); }));
    // Centred on the work area (here the screen), its frame and caption around it.
    Geometry place = x.GeometryOf(window);
    EXPECT_EQ(place.width, 276 - 2);
    EXPECT_NEAR(place.x + place.width / 2, XvfbSession::kWidth / 2, 1);

    // A key typed into it shows its code, in the same pixels as on the simulated device.
    std::vector<uint32_t> expected = SimulatedProbeAfterF5();
    Geometry client = x.GeometryOf(window);
    std::this_thread::sleep_for(200ms);
    EXPECT_NE(x.Capture(client), expected) << "the probe shows a code before any key";
    XSetInputFocus(display(), window, RevertToParent, CurrentTime);
    XSync(display(), False);
    x.Xdotool({ "key", "F5" });
    std::vector<uint32_t> shown;
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return (shown = x.Capture(client)) == expected; }, 3s))
        << "the key's code is not shown as on the simulated device: "
        << PictureDifference({ client.width, client.height, shown }, { client.width, client.height, expected });

    // What a window manager sends when its close button is pressed.
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display(), window, False, NoEventMask, &event);
    XSync(display(), False);
    EXPECT_EQ(daemon->WaitForExit(5s), std::optional<int>(0));
}

TEST_F(DaemonOnDesktop, IconDocksInATrayThatComesLaterAndItsClickShowsTheWindow)
{
    ASSERT_TRUE(x.Ready());
    auto daemon = StartDaemon(Binding(kKeyA, "a"));
    XId window = DaemonWindow();
    ASSERT_NE(window, 0u);
    EXPECT_FALSE(x.IsShown(window)) << "with bindings the daemon starts in the tray";

    x.StartTray();
    XId icon = 0;
    bool docked = XvfbSession::WaitUntil([&] {
        for (XId candidate : x.WindowsOfClass("brellum")) {
            if (candidate != window && x.ParentOf(candidate) != x.Root() && x.IsShown(candidate))
                icon = candidate;
        }
        return icon != 0;
    });
    ASSERT_TRUE(docked) << "the icon did not dock";
    Geometry place = x.GeometryOf(icon);
    EXPECT_GE(place.width, 16);
    EXPECT_GE(place.height, 16);

    // The tray goes away and comes back: the icon waits unseen, then docks again.
    x.StopTray();
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(icon); }, 5s)) << "the icon was left on the desktop";
    x.StartTray();
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return x.ParentOf(icon) != x.Root() && x.IsShown(icon); }, 5s))
        << "the icon did not dock in the new tray";
    place = x.GeometryOf(icon);

    x.Xdotool({ "mousemove", std::to_string(place.x + place.width / 2), std::to_string(place.y + place.height / 2),
        "click", "1" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return x.IsShown(window); }, 5s)) << "the click did not show the window";
    EXPECT_TRUE(daemon->Running());
}

TEST_F(DaemonOnDesktop, WatchingItTakesUpAChangedBindingFileAndKeepsItsBindingsWhenTheFileNoLongerReads)
{
    ASSERT_TRUE(x.Ready());
    auto daemon = StartDaemon(Binding(kKeyA, "a"), true);
    XId window = DaemonWindow();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.TitleOf(window) == "Brellum v1.3 (1 aktiv)"; }));

    // Saved as editors save, by renaming a new file over it.
    auto save = [&](std::u16string const& text, bool bom) {
        device.WriteUtf16("Brellum.ini.new", text, bom);
        std::filesystem::rename(Marker("Brellum.ini.new"), Marker("Brellum.ini"));
    };
    std::u16string const both = BindingFile(Binding(kKeyA, "a") + Binding(kKeyB, "b"));
    save(both, true);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return x.TitleOf(window) == "Brellum v1.3 (2 aktiv)"; }, 1s))
        << "the changed file was not loaded within a second";
    HoldKey("b", 700ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return std::filesystem::exists(Marker("b")); }, 3s))
        << "the new binding does not work";

    // Without its byte-order mark the file no longer reads: its message, and the bindings stay.
    save(BindingFile(Binding(kKeyA, "a")), false);
    XId box = 0;
    ASSERT_TRUE(XvfbSession::WaitUntil([&] {
        for (XId candidate : x.WindowsOfClass("brellum")) {
            if (x.IsShown(candidate) && x.TitleOf(candidate) == "Fehler")
                box = candidate;
        }
        return box != 0;
    }, 2s)) << "no message about the file";
    x.Xdotool({ "key", "Return" });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(box); }, 3s));
    EXPECT_EQ(x.TitleOf(window), "Brellum v1.3 (2 aktiv)");
    std::filesystem::remove(Marker("b"));
    HoldKey("b", 700ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return std::filesystem::exists(Marker("b")); }, 3s))
        << "the bindings in use went with the broken file";
    EXPECT_TRUE(daemon->Running());
}

}
}
