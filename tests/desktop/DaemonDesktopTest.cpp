// The daemon on a real X server: keys taken system-wide, presses timed from
// real key events, taps handed back to the focused window, the tray icon, its
// window under a window manager; with --watch, its binding file written anew
// while it runs.

#include "daemon/BrellumMain.h"
#include "daemon/DaemonIcons.h"
#include "daemon/DaemonMessages.h"
#include "platform/Windowing.h"
#include "tests/desktop/DaemonFixture.h"
#include "tests/support/PictureCompare.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;
using testing_support::PictureDifference;
using testing_support::TestDevice;

class DaemonOnDesktop : public DaemonFixture {
protected:
    Display* display() { return x.Display(); }

    // How many pixels of `window` on the screen have the colour 0xRRGGBB.
    long PixelsOfColour(XId window, uint32_t colour)
    {
        std::vector<uint32_t> pixels = x.Capture(x.GeometryOf(window));
        return std::count(pixels.begin(), pixels.end(), colour);
    }

    // The face colour of one of the daemon's own icons, as the program draws them.
    static uint32_t FaceOfIcon(int32_t resource)
    {
        brellum::RegisterDaemonIcons();
        platform::Surface const* picture = platform::IconPicture(platform::LoadIcon({}, resource));
        return picture ? picture->Row(picture->Height() / 2)[picture->Width() / 2] & 0xFFFFFF : 0;
    }

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
    bool docked = XvfbSession::WaitUntil([&] { return (icon = DockedIcon(window)) != 0; });
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

    ClickInto(place);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return x.IsShown(window); }, 5s)) << "the click did not show the window";
    EXPECT_TRUE(daemon->Running());
}

TEST_F(DaemonOnDesktop, UnderAWindowManagerItsWindowOffersNoMinimiseAndMinimisedItGoesIntoTheTray)
{
    ASSERT_TRUE(x.Ready());
    ASSERT_TRUE(x.StartWindowManager()) << "openbox did not start";
    x.StartTray();
    auto daemon = StartDaemon(Binding(kKeyA, "a"));
    XId window = DaemonWindow();
    ASSERT_NE(window, 0u);
    XId icon = 0;
    // Now and then trayer, mapping itself for its first icon while openbox
    // starts, stays unmapped: a new tray is docked into as any other is.
    if (!XvfbSession::WaitUntil([&] { return (icon = DockedIcon(window)) != 0; }, 4s)) {
        x.StopTray();
        x.StartTray();
    }
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return (icon = DockedIcon(window)) != 0; })) << "the icon did not dock";
    ClickInto(x.GeometryOf(icon));
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.IsShown(window); })) << "the click did not show the window";
    EXPECT_NE(x.ParentOf(window), x.Root()) << "the window manager did not frame the window";

    // What its style allows, told to the manager: moving and closing, no minimise, maximise or resize.
    constexpr long kHasFunctions = 1, kHasDecorations = 2;
    constexpr long kAll = 1, kResize = 2, kMove = 4, kMinimize = 8, kMaximize = 16, kClose = 32;
    constexpr long kDecorResize = 4, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32, kDecorMaximize = 64;
    std::vector<long> motif = x.Property(window, "_MOTIF_WM_HINTS");
    ASSERT_GE(motif.size(), 3u) << "no motif hints";
    EXPECT_EQ(motif[0] & (kHasFunctions | kHasDecorations), kHasFunctions | kHasDecorations);
    EXPECT_EQ(motif[1] & (kAll | kResize | kMove | kMinimize | kMaximize | kClose), kMove | kClose);
    EXPECT_EQ(motif[2] & (kAll | kDecorResize | kDecorTitle | kDecorMenu | kDecorMinimize | kDecorMaximize),
        kDecorTitle | kDecorMenu);
    std::vector<long> type = x.Property(window, "_NET_WM_WINDOW_TYPE");
    EXPECT_EQ(type, std::vector<long> { long(XInternAtom(display(), "_NET_WM_WINDOW_TYPE_NORMAL", False)) });
    XSizeHints hints {};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(display(), window, &hints, &supplied));
    Geometry client = x.GeometryOf(window);
    EXPECT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
    EXPECT_EQ(std::vector<int>({ hints.min_width, hints.min_height, hints.max_width, hints.max_height }),
        std::vector<int>({ client.width, client.height, client.width, client.height }));
    // The manager understood: it offers neither maximising nor resizing.
    std::vector<long> actions;
    ASSERT_TRUE(XvfbSession::WaitUntil([&] {
        actions = x.Property(window, "_NET_WM_ALLOWED_ACTIONS");
        return !actions.empty();
    }));
    for (char const* action : { "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE" }) {
        EXPECT_EQ(std::count(actions.begin(), actions.end(), long(XInternAtom(display(), action, False))), 0) << action;
    }

    // The keys switched off with "D", then minimised all the same (openbox always offers it).
    ClickAt(client.x + client.width - 5, client.y + 5);
    x.Xdotool({ "windowminimize", std::to_string(window) });
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return !x.IsShown(window) && (icon = DockedIcon(window)) != 0; }))
        << "minimised, the window did not go into the tray";
    uint32_t inactive = FaceOfIcon(brellum::kInactiveIcon);
    uint32_t active = FaceOfIcon(brellum::kActiveIcon);
    ASSERT_NE(inactive, active);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return PixelsOfColour(icon, inactive) > 0; }, 3s))
        << "the icon does not show the image of the switched-off keys";
    EXPECT_EQ(PixelsOfColour(icon, active), 0);
    // Left to the tray, not kept minimised by the manager.
    std::vector<long> state = x.Property(window, "WM_STATE");
    EXPECT_TRUE(state.empty() || state[0] == WithdrawnState) << "WM_STATE " << state[0];

    ClickInto(x.GeometryOf(icon));
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return x.IsShown(window) && DockedIcon(window) == 0; }, 5s))
        << "the icon's click did not show the window again";
    EXPECT_TRUE(daemon->Running());
}

TEST_F(DaemonOnDesktop, ASecondDaemonNamesEveryKeyTheFirstHoldsAndTheFirstKeepsThem)
{
    ASSERT_TRUE(x.Ready());
    auto first = StartDaemon(Binding(kKeyA, "first-a") + Binding(kKeyB, "first-b"));
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return DaemonWindowsTitled("Brellum v1.3 (2 aktiv)").size() == 1; }));
    auto second = StartDaemon(Binding(kKeyA, "second-a") + Binding(kKeyB, "second-b"), {}, "Zweiter.ini", "zweiter.txt");
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return DaemonWindowsTitled("Brellum v1.3 (2 aktiv)").size() == 2; }));

    std::string const expected
        = "brellum: Die Taste 65 (a) ist von einem anderen Programm belegt und wird nicht registriert.\n"
          "brellum: Die Taste 66 (b) ist von einem anderen Programm belegt und wird nicht registriert.\n";
    std::string errors;
    EXPECT_TRUE(XvfbSession::WaitUntil([&] {
        errors = ReadText("zweiter.txt");
        return errors.size() >= expected.size();
    }, 3s));
    EXPECT_EQ(errors, expected);

    HoldKey("b", 700ms);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return std::filesystem::exists(Marker("first-b")); }, 3s))
        << "the first daemon lost its key";
    EXPECT_FALSE(std::filesystem::exists(Marker("second-b")));
    EXPECT_TRUE(first->Running());
    EXPECT_TRUE(second->Running());
}

TEST_F(DaemonOnDesktop, WatchingItTakesUpAChangedBindingFileAndKeepsItsBindingsWhenTheFileNoLongerReads)
{
    ASSERT_TRUE(x.Ready());
    auto daemon = StartDaemon(Binding(kKeyA, "a"), { "--watch" });
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
