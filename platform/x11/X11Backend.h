#pragma once

// The real Linux desktop: our windows shown as X windows, the pointer and
// keyboard as pen and keys, keys taken system-wide by grabs on the root
// window, key events made with the XTest extension, icons in the tray. The
// system services (files, processes, clock, memory, storage, power) are the
// host's. The loop sleeps in poll() until the next X event or timer.

#include "platform/host/HostBackend.h"
#include "platform/window/WindowSystem.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Tray.h"
#include "platform/x11/X11WindowView.h"

#include <map>
#include <memory>
#include <string>

union _XEvent;

namespace platform {

class X11Backend final : public HostBackend, private WindowEvents {
public:
    // Null, with the reason in `error`, when there is no display to use.
    static std::unique_ptr<X11Backend> Open(std::string& error);
    ~X11Backend() override;

    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override;
    void SynthesizeKey(uint8_t virtualKey, uint32_t flags) override;
    bool GrabKey(uint32_t virtualKey, uint32_t modifiers, bool grab) override;
    bool KeyIsDown(uint32_t virtualKey) override;
    bool NotifyIcon(uint32_t message, NotifyIconData const& data) override;
    Rect Screen() const override;
    Rect WorkArea() const override;
    bool WaitForEvents(std::optional<uint32_t> deadline) override;

    X11Connection& Connection() { return *connection_; }
    // Shows what changed in every window's picture and sends it all to the server.
    void Present();

private:
    explicit X11Backend(std::unique_ptr<X11Connection> connection);

    // WindowEvents.
    void Created(Window const&) override;
    void Moved(Window const&) override;
    void Shown(Window const&) override;
    void Hidden(Window const&) override;
    void BecameTopMost(Window const&) override;
    void TitleChanged(Window const&) override;
    void Destroyed(Window const&) override;

    void Handle(_XEvent& event);
    WindowHandle HandleOf(XId window) const;
    Point ScreenPointOf(WindowHandle window, int x, int y);
    Rect ClientOnScreen(Window const& window);
    void Restack();
    int KeyCodeOf(uint32_t virtualKey) const;

    std::unique_ptr<X11Connection> connection_;
    std::unique_ptr<X11Tray> tray_;
    std::map<uint32_t, std::unique_ptr<X11WindowView>> views_;
    bool stackingChanged_ = false;
    int openBoxes_ = 0;
    WindowHandle focusShown_;
};

}
