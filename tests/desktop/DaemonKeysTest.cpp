// Which keys the daemon can take on a real X server: bound keys also with
// Caps Lock or Num Lock on; no key whose symbol the keyboard lacks, until the
// user gives the symbol a key.

#include "tests/desktop/DaemonFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include <X11/Xlib.h>
#include <X11/XF86keysym.h>
#include <X11/keysym.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;

class DaemonKeys : public DaemonFixture {
protected:
    // The keyboard's modifiers and locks that are on now.
    unsigned Modifiers()
    {
        ::Window root = 0, child = 0;
        int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
        unsigned mask = 0;
        XQueryPointer(x.Display(), x.Root(), &root, &child, &rootX, &rootY, &windowX, &windowY, &mask);
        return mask;
    }

    bool Pressed(std::string const& marker, std::chrono::milliseconds timeout = 3s)
    {
        return XvfbSession::WaitUntil([&] { return std::filesystem::exists(Marker(marker)); }, timeout);
    }

    // A key code that no key symbol is on, to give one to.
    int SpareKeyCode()
    {
        int lowest = 0, highest = 0;
        XDisplayKeycodes(x.Display(), &lowest, &highest);
        int perKey = 0;
        KeySym* symbols = XGetKeyboardMapping(x.Display(), KeyCode(lowest), highest - lowest + 1, &perKey);
        int spare = 0;
        for (int code = highest; code >= lowest && spare == 0; --code) {
            bool empty = true;
            for (int i = 0; i < perKey; ++i)
                empty = empty && symbols[(code - lowest) * perKey + i] == NoSymbol;
            spare = empty ? code : 0;
        }
        XFree(symbols);
        return spare;
    }
};

TEST_F(DaemonKeys, ABoundKeyIsTakenAlsoWithCapsLockOrNumLockOn)
{
    ASSERT_TRUE(x.Ready());
    auto daemon = StartDaemon(Binding(kKeyA, "a"));
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.TitleOf(DaemonWindow()) == "Brellum v1.3 (1 aktiv)"; }));

    struct Locks {
        std::vector<char const*> keys;
        unsigned mask;
    };
    for (Locks const& locks : { Locks { { "Caps_Lock" }, LockMask }, Locks { { "Num_Lock" }, Mod2Mask },
             Locks { { "Caps_Lock", "Num_Lock" }, LockMask | Mod2Mask } }) {
        SCOPED_TRACE(locks.mask);
        for (char const* key : locks.keys)
            x.Xdotool({ "key", key });
        ASSERT_EQ(Modifiers() & (LockMask | Mod2Mask), locks.mask) << "the locks did not go on";
        std::filesystem::remove(Marker("a"));
        HoldKey("a", 600ms);
        EXPECT_TRUE(Pressed("a")) << "the key was not taken with the lock on";
        for (char const* key : locks.keys)
            x.Xdotool({ "key", key });
        ASSERT_EQ(Modifiers() & (LockMask | Mod2Mask), 0u);
    }
    EXPECT_TRUE(daemon->Running());
}

TEST_F(DaemonKeys, AKeyWhoseSymbolTheKeyboardLacksIsNotTakenUntilItGetsAKey)
{
    ASSERT_TRUE(x.Ready());
    // Xvfb's own keyboard: the spare launch keys up to B, no F13.
    Display* display = x.Display();
    ASSERT_NE(XKeysymToKeycode(display, XF86XK_LaunchB), 0);
    ASSERT_EQ(XKeysymToKeycode(display, XF86XK_LaunchC), 0);
    ASSERT_EQ(XKeysymToKeycode(display, XK_F13), 0);

    auto daemon = StartDaemon(Binding(0xCB, "launchB") + Binding(0xCC, "launchC") + Binding(0x7C, "f13"));
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return x.TitleOf(DaemonWindow()) == "Brellum v1.3 (3 aktiv)"; }));
    // xdotool types a symbol that no key has on a spare key of its own for a moment.
    HoldKey("XF86LaunchC", 600ms);
    HoldKey("F13", 600ms);
    HoldKey("XF86LaunchB", 600ms);
    EXPECT_TRUE(Pressed("launchB")) << "the application key 0xCB was not taken";
    EXPECT_FALSE(std::filesystem::exists(Marker("launchC")));
    EXPECT_FALSE(std::filesystem::exists(Marker("f13")));
    daemon.reset();
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return DaemonWindowsTitled("Brellum v1.3 (3 aktiv)").empty(); }));

    // As `xmodmap -e 'keycode N = F13'` does; the daemon started again takes it.
    int spare = SpareKeyCode();
    ASSERT_NE(spare, 0) << "no key code is free";
    KeySym f13 = XK_F13;
    XChangeKeyboardMapping(display, spare, 1, &f13, 1);
    XSync(display, False);
    daemon = StartDaemon(Binding(0x7C, "f13"));
    ASSERT_TRUE(XvfbSession::WaitUntil([&] { return DaemonWindowsTitled("Brellum v1.3 (1 aktiv)").size() == 1; }));
    HoldKey("F13", 600ms);
    EXPECT_TRUE(Pressed("f13")) << "F13 on a key of its own was not taken";
    EXPECT_TRUE(daemon->Running());
}

}
}
