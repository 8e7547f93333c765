#pragma once

// The Linux desktop as our screen: each of our windows shown as an X window
// (X11WindowView), the pointer and keyboard fed in as pen and keys, the
// window manager's work area, and its iconifying as the minimise command. The
// loop shows what changed, then sleeps in poll() until the next X event or
// timer, or a change to a watched file.

#include "platform/host/HostFileWatch.h"
#include "platform/roles/Screen.h"
#include "platform/window/WindowSystem.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11PictureTransfer.h"
#include "platform/x11/X11Tray.h"
#include "platform/x11/X11WindowView.h"

#include <map>
#include <memory>
#include <set>
#include <string>

union _XEvent;

namespace platform {

class SystemServices;

class X11Screen final : public Screen, private WindowEvents {
public:
    // The tray's events come in on the same connection; the loop waits on the services' tick clock.
    X11Screen(X11Connection& connection, WindowSystem& windows, X11Tray& tray, SystemServices& clock);
    ~X11Screen() override;
    X11Screen(X11Screen const&) = delete;
    X11Screen& operator=(X11Screen const&) = delete;

    Rect Bounds() const override;
    Rect WorkArea() const override;
    bool WaitForEvents(std::optional<uint32_t> deadline) override;
    // Only once StartWatchingFiles has succeeded; a folder that cannot be
    // watched is told on standard error, once.
    bool WatchFiles(WindowHandle window, uint32_t message, WParam id, std::span<std::u16string const> paths) override;

    // The user asked for the programs' files to be watched; false, with the reason, when the system refuses.
    bool StartWatchingFiles(std::string& error);

    // Shows what changed in every window's picture and sends it all to the server.
    void Present();
    // While a message box is open, the keyboard follows the focus into any of our windows.
    void BoxOpened() { ++openBoxes_; }
    void BoxClosed();

private:
    // WindowEvents.
    void Created(Window const&) override;
    void Moved(Window const&) override;
    void Shown(Window const&) override;
    void Hidden(Window const&) override;
    void BecameTopMost(Window const&) override;
    void TitleChanged(Window const&) override;
    void Destroyed(Window const&) override;

    void Handle(_XEvent& event);
    void NoticeIconified(XId window, bool unmapped);
    void NoticeOtherWindow(XId window, bool overrideRedirect);
    // Posts the messages of the watches whose files have settled; false when none has.
    bool PostSettledChanges();
    WindowHandle HandleOf(XId window) const;
    Point ScreenPointOf(WindowHandle window, int x, int y);
    void Restack();
    void RaiseTopMost();
    void ShowFocus();

    X11Connection& connection_;
    WindowSystem& windows_;
    X11Tray& tray_;
    SystemServices& clock_;
    X11PictureTransfer transfer_;
    std::map<uint32_t, std::unique_ptr<X11WindowView>> views_;
    bool stackingChanged_ = false;
    bool topMostCovered_ = false;
    int openBoxes_ = 0;
    WindowHandle focusShown_;
    std::unique_ptr<HostFileWatch> fileWatch_;
    std::set<std::string> toldProblems_;
};

}
