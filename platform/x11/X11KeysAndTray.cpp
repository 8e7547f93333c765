#include "platform/x11/X11KeysAndTray.h"

#include "platform/Keys.h"
#include "platform/host/ProgramName.h"
#include "platform/x11/X11KeyMap.h"

#include <cstdio>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace platform {

namespace {

// The platform's hot-key modifiers as X modifier masks.
unsigned ModifierMask(uint32_t modifiers)
{
    unsigned mask = 0;
    if (modifiers & kModifierAlt)
        mask |= Mod1Mask;
    if (modifiers & kModifierControl)
        mask |= ControlMask;
    if (modifiers & kModifierShift)
        mask |= ShiftMask;
    if (modifiers & kModifierWin)
        mask |= Mod4Mask;
    return mask;
}

// A grab names exact modifiers: the same key with Caps Lock or Num Lock on is
// another combination, and a taken key must not depend on them.
constexpr unsigned kLockVariants[] = { 0, LockMask, Mod2Mask, LockMask | Mod2Mask };

}

int X11KeysAndTray::KeyCodeOf(uint32_t virtualKey) const
{
    unsigned long keySym = KeySymOfVirtualKey(virtualKey);
    return keySym ? XKeysymToKeycode(connection_.Display(), keySym) : 0;
}

void X11KeysAndTray::SynthesizeKey(uint8_t virtualKey, uint32_t flags)
{
    int keyCode = KeyCodeOf(virtualKey);
    if (!connection_.HasKeyTest() || keyCode == 0)
        return;
    Display* display = connection_.Display();
    XTestFakeKeyEvent(display, unsigned(keyCode), (flags & kKeyEventKeyUp) ? False : True, CurrentTime);
    XFlush(display);
}

bool X11KeysAndTray::GrabKey(uint32_t virtualKey, uint32_t modifiers, bool grab)
{
    int keyCode = KeyCodeOf(virtualKey);
    if (keyCode == 0)
        return false;
    Display* display = connection_.Display();
    unsigned mask = ModifierMask(modifiers);
    auto release = [&] {
        for (unsigned lock : kLockVariants)
            XUngrabKey(display, keyCode, mask | lock, connection_.Root());
    };
    if (!grab) {
        release();
        XFlush(display);
        return true;
    }
    X11ErrorTrap trap(display);
    for (unsigned lock : kLockVariants)
        XGrabKey(display, keyCode, mask | lock, connection_.Root(), False, GrabModeAsync, GrabModeAsync);
    if (!trap.Failed())
        return true;
    // Another program holds the key: take none of its variants, and say so,
    // or the binding would just never react.
    release();
    char const* name = XKeysymToString(KeySymOfVirtualKey(virtualKey));
    std::fprintf(stderr, "%s: Die Taste %u (%s) ist von einem anderen Programm belegt und wird nicht registriert.\n",
        ProgramName().c_str(), unsigned(virtualKey), name ? name : "?");
    return false;
}

bool X11KeysAndTray::KeyIsDown(uint32_t virtualKey)
{
    int keyCode = KeyCodeOf(virtualKey);
    if (keyCode == 0)
        return false;
    char keys[32] = {};
    XQueryKeymap(connection_.Display(), keys);
    return (keys[keyCode / 8] >> (keyCode % 8)) & 1;
}

}
