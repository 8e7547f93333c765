#pragma once

// The Windows desktop as our screen: each of our windows shown as a real
// top-level window (Win32WindowView), the left button and the keyboard fed
// in as pen and keys, the system's work area, and its minimise command
// handed on. The loop shows what changed, then sleeps in
// MsgWaitForMultipleObjectsEx until the next message or timer.
//
// While a message box of the system is open its own loop runs: our windows'
// posted messages, paints and timers are then served from a timer of ours
// that the box's loop dispatches, set to when the next of them is due.

#include "platform/roles/Screen.h"
#include "platform/win32/Win32WindowView.h"
#include "platform/win32/WindowsApi.h"
#include "platform/window/WindowSystem.h"

#include <map>
#include <memory>

namespace platform {

class SystemServices;

class Win32Screen final : public Screen, private WindowEvents {
public:
    Win32Screen(WindowSystem& windows, SystemServices& clock);
    ~Win32Screen() override;
    Win32Screen(Win32Screen const&) = delete;
    Win32Screen& operator=(Win32Screen const&) = delete;

    Rect Bounds() const override;
    Rect WorkArea() const override;
    bool WaitForEvents(std::optional<uint32_t> deadline) override;

    // Shows what changed in every window's picture.
    void Present();
    // The system's window that shows ours; none for none.
    HWND WindowOf(WindowHandle window) const;

    void BoxOpened();
    void BoxClosed();

private:
    static LRESULT CALLBACK ViewProcedure(HWND id, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ServiceProcedure(HWND id, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleView(HWND id, UINT message, WPARAM wParam, LPARAM lParam);
    WindowHandle HandleOf(HWND id) const;
    Point ScreenPointOf(WindowHandle window, LPARAM clientPoint);
    // While a box is open: runs what is due in our windows, shows it, and
    // sets the timer for what comes next.
    void ServeWhileBoxOpen();
    void Restack();

    // WindowEvents.
    void Created(Window const&) override;
    void Moved(Window const&) override;
    void Shown(Window const&) override;
    void Hidden(Window const&) override;
    void BecameTopMost(Window const&) override;
    void TitleChanged(Window const&) override;
    void Destroyed(Window const&) override;

    WindowSystem& windows_;
    SystemServices& clock_;
    std::map<uint32_t, std::unique_ptr<Win32WindowView>> views_;
    // A message-only window: the timer that serves our windows while a box is open.
    HWND service_ = nullptr;
    int openBoxes_ = 0;
    bool serving_ = false;
    bool stackingChanged_ = false;
};

}
