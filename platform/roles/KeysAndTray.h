#pragma once

// The role of a backend that reaches beyond our own windows: key events made
// as if typed, keys taken system-wide, the keyboard's own state, and our
// icons in the notification area.

#include "platform/Tray.h"

#include <cstdint>

namespace platform {

class KeysAndTray {
public:
    virtual ~KeysAndTray() = default;

    // `flags` as the synthesised key event's (see Keys.h).
    virtual void SynthesizeKey(uint8_t virtualKey, uint32_t flags) = 0;
    // Takes a key system-wide (or gives it back); false when another program has it.
    virtual bool GrabKey(uint32_t virtualKey, uint32_t modifiers, bool grab) = 0;
    // Whether the key is down now, as the keyboard itself reports it.
    virtual bool KeyIsDown(uint32_t virtualKey) = 0;
    // Whether some key of this keyboard produces the virtual key.
    virtual bool HasKey(uint32_t virtualKey) { return virtualKey >= 1 && virtualKey <= 254; }
    virtual bool NotifyIcon(uint32_t message, NotifyIconData const& data) = 0;
};

}
