#pragma once

// Our icons in the desktop's notification area, by the freedesktop system-tray
// protocol: each icon is a small window of ours that the tray embeds (XEmbed).
// A tray may come and go at any time: without one the icons wait unmapped and
// dock as soon as a tray announces itself.

#include "platform/Tray.h"
#include "platform/x11/X11Connection.h"

#include <memory>
#include <vector>

union _XEvent;

namespace platform {

class WindowSystem;

class X11Tray {
public:
    X11Tray(X11Connection& connection, WindowSystem& windows);
    ~X11Tray();
    X11Tray(X11Tray const&) = delete;
    X11Tray& operator=(X11Tray const&) = delete;

    bool Notify(uint32_t message, NotifyIconData const& data);
    // True when the event was the tray's or one of its icons'.
    bool Handle(_XEvent const& event);

private:
    struct Icon;
    Icon* Find(WindowHandle window, uint32_t id);
    Icon* FindByWindow(XId window);
    void FindManager();
    void Dock(Icon& icon);
    void Draw(Icon& icon);

    X11Connection& connection_;
    WindowSystem& windows_;
    XId manager_ = 0;
    std::vector<std::unique_ptr<Icon>> icons_;
};

}
