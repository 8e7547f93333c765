#pragma once

// The simulated device's keys and notification area: a synthesised key is
// recorded and goes to the window system as if typed, every key can be taken,
// and tray icons are kept in a list whose first icon the script can tap.

#include "platform/headless/TraceWriter.h"
#include "platform/roles/KeysAndTray.h"
#include "platform/window/WindowSystem.h"

#include <vector>

namespace platform {

class VirtualKeysAndTray final : public KeysAndTray {
public:
    VirtualKeysAndTray(WindowSystem& windows, TraceWriter& trace) : windows_(windows), trace_(trace) { }

    void SynthesizeKey(uint8_t virtualKey, uint32_t flags) override;
    bool GrabKey(uint32_t, uint32_t, bool) override { return true; }
    // The keys the window system saw go down count.
    bool KeyIsDown(uint32_t virtualKey) override { return windows_.KeyIsDown(virtualKey); }
    bool NotifyIcon(uint32_t message, NotifyIconData const& data) override;

    // The left button goes down on the first tray icon; without an icon it meets nothing.
    void TrayClick();

private:
    struct TrayIcon {
        WindowHandle window;
        uint32_t id = 0;
        uint32_t callbackMessage = 0;
        IconHandle icon;
    };
    bool Add(NotifyIconData const& data);
    bool Modify(NotifyIconData const& data);
    bool Delete(NotifyIconData const& data);
    std::vector<TrayIcon>::iterator Find(NotifyIconData const& data);

    WindowSystem& windows_;
    TraceWriter& trace_;
    std::vector<TrayIcon> icons_;
};

}
