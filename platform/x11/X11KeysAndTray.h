#pragma once

// Keys and tray on the Linux desktop: key events made with the XTest
// extension, keys taken system-wide by grabs on the root window, the
// keyboard's state as the server reports it, our icons in the tray.

#include "platform/roles/KeysAndTray.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Tray.h"

namespace platform {

class X11KeysAndTray final : public KeysAndTray {
public:
    X11KeysAndTray(X11Connection& connection, X11Tray& tray) : connection_(connection), tray_(tray) { }

    void SynthesizeKey(uint8_t virtualKey, uint32_t flags) override;
    bool GrabKey(uint32_t virtualKey, uint32_t modifiers, bool grab) override;
    bool KeyIsDown(uint32_t virtualKey) override;
    bool NotifyIcon(uint32_t message, NotifyIconData const& data) override { return tray_.Notify(message, data); }

private:
    int KeyCodeOf(uint32_t virtualKey) const;

    X11Connection& connection_;
    X11Tray& tray_;
};

}
