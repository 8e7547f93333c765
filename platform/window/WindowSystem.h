#pragma once

// The window system every backend shares: the class and window tables, z-order,
// the thread's message queue and its loop, timers, mouse capture, focus, and
// the routing of pen and key input. A backend feeds input in and is told of
// every visible change (WindowEvents) so that it can show it or record it.
// Start reading at NextMessage: the order in which a loop takes posted
// messages, paints and timers, and where it waits.

#include "platform/Types.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/TimerTable.h"
#include "platform/window/Window.h"
#include "platform/window/WindowClass.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace platform {

class Backend;

// What a backend hears of the window table.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void Created(Window const&) { }
    virtual void Moved(Window const&) { }
    virtual void Shown(Window const&) { }
    virtual void Hidden(Window const&) { }
    virtual void BecameTopMost(Window const&) { }
    virtual void TitleChanged(Window const&) { }
    virtual void Destroyed(Window const&) { }
    // A system-wide key registration was made (`registered`) or dropped.
    virtual void HotKeyChanged(bool /*registered*/, int32_t /*id*/, uint32_t /*virtualKey*/, bool /*ok*/) { }
    // Pixels of the window's picture changed within `rect` (picture coordinates).
    virtual void PictureChanged(Window const&, Rect const&) { }
};

// Where SetWindowPos puts a window in the z-order.
struct InsertAfter {
    enum class Kind { Top, Bottom, TopMost, NoTopMost, Window } kind = Kind::Top;
    WindowHandle window;
};

class WindowSystem {
public:
    explicit WindowSystem(Backend& backend);
    ~WindowSystem();

    void SetEvents(WindowEvents* events) { events_ = events; }

    // Classes and windows.
    bool RegisterClass(WindowClass const& windowClass);
    WindowHandle CreateWindow(uint32_t exStyle, std::u16string_view className, std::u16string_view title, uint32_t style,
        Rect rect, WindowHandle parent, InstanceHandle instance, void* parameter);
    bool DestroyWindow(WindowHandle window);
    Window const* Find(WindowHandle window) const;
    bool IsWindow(WindowHandle window) const { return Find(window) != nullptr; }
    std::vector<WindowHandle> Windows() const; // in creation order

    bool ShowWindow(WindowHandle window, int32_t show);
    bool SetWindowPos(WindowHandle window, InsertAfter after, Rect rect, uint32_t flags);
    bool SetTitle(WindowHandle window, std::u16string_view title);
    intptr_t GetExtra(WindowHandle window, int32_t byteIndex) const;
    intptr_t SetExtra(WindowHandle window, int32_t byteIndex, intptr_t value);
    Rect ClientRect(WindowHandle window) const;
    // The window's picture and where its client area lies in it; none for no window.
    // The picture is replaced when the window is resized: do not keep the pointer.
    Surface* PictureOf(WindowHandle window);
    Point ClientOffset(WindowHandle window) const;
    // The client area where it lies on the screen; empty for no window.
    Rect ClientOnScreen(WindowHandle window) const;

    // Invalid areas, in client coordinates; null `rect` is the whole client area.
    bool Invalidate(WindowHandle window, Rect const* rect, bool erase);
    struct Invalid {
        Rect rect;
        bool erase = false;
    };
    // Takes the invalid area of the window, which is then valid again.
    Invalid Validate(WindowHandle window);
    // Visible windows from the top of the z-order down.
    std::vector<WindowHandle> ZOrder() const;
    WindowHandle WindowAt(Point screenPoint) const;

    // Messages.
    LResult SendMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
    bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
    void PostQuitMessage(int32_t exitCode);
    // False when the quit message comes; its code is in `message.wParam`.
    bool GetMessage(Message& message);
    LResult DispatchMessage(Message const& message);
    // A loop of its own until the tick `deadline`, as a message box runs while open.
    // A quit request ends it early and stays pending for the outer loop.
    void RunModalLoop(uint32_t deadline);
    // A loop of its own until `done` holds, as a box drawn by us runs while open.
    // False when it ended otherwise: a quit request came, which stays pending
    // for the outer loop, or the run is over.
    bool RunModalLoopUntil(std::function<bool()> const& done);
    // The run has ended (the backend has nothing more to give): every loop ends.
    bool RunOver() const { return runOver_; }

    // Timers.
    uintptr_t SetTimer(WindowHandle window, uintptr_t id, uint32_t period);
    bool KillTimer(WindowHandle window, uintptr_t id);
    bool HasTimers() const { return !timers_.Empty(); }
    // When the next timer is due; none without timers.
    std::optional<uint32_t> NextTimerDue(uint32_t now) const { return timers_.NextDue(now); }

    // Capture and focus.
    WindowHandle SetCapture(WindowHandle window);
    bool ReleaseCapture();
    WindowHandle Capture() const { return capture_; }
    // While a modal window is set, the pen reaches no other window.
    void SetModalWindow(WindowHandle window) { modal_ = window; }
    WindowHandle ModalWindow() const { return modal_; }
    WindowHandle Focus() const { return focus_; }
    bool SetForegroundWindow(WindowHandle window);

    // System-wide keys: a registered key goes to its window as the hot-key message.
    bool RegisterHotKey(WindowHandle window, int32_t id, uint32_t modifiers, uint32_t virtualKey);
    bool UnregisterHotKey(WindowHandle window, int32_t id);

    // Input, as a backend hands it in.
    void PenDown(Point screenPoint);
    void PenUp(Point screenPoint);
    void Key(uint32_t virtualKey, bool down);
    bool KeyIsDown(uint32_t virtualKey) const;

    // A caption window's frame on each side; the caption height is the backend's.
    static constexpr int32_t kFrameWidth = 1;
    static constexpr uint32_t kDoubleClickTime = 500;
    static constexpr int32_t kDoubleClickDistance = 4;

private:
    enum class Fetch { Message, Quit, Deadline, Over };
    // A nested loop leaves a quit request to the outer one.
    Fetch NextMessage(Message& message, std::optional<uint32_t> deadline, bool nested);
    Window* FindMutable(WindowHandle window);
    Point ClientOrigin(Window const& window) const;
    WindowClass const* FindClass(std::u16string_view name) const;
    void Raise(Window& window);
    // Moves the window to where `after` puts it, joining or leaving the topmost windows as it says.
    void Restack(Window& window, InsertAfter after);
    Window const* FirstToPaint() const;
    void InvalidateResized(WindowHandle window, Rect before, Rect after);
    void PostPen(uint32_t message, WindowHandle target, Point screenPoint, WParam keyState);

    Backend& backend_;
    WindowEvents* events_ = nullptr;
    std::vector<std::unique_ptr<WindowClass>> classes_;
    std::map<uint32_t, std::unique_ptr<Window>> windows_;
    std::vector<WindowHandle> zOrder_; // top first
    uint32_t nextHandle_ = 1;
    MessageQueue queue_;
    TimerTable timers_;
    WindowHandle capture_;
    WindowHandle modal_;
    WindowHandle focus_;
    bool runOver_ = false;

    struct LastPress {
        WindowHandle window;
        uint32_t tick = 0;
        Point point;
    };
    std::optional<LastPress> lastPress_;
    std::vector<uint32_t> keysDown_;
    struct HotKey {
        WindowHandle window;
        int32_t id = 0;
        uint32_t modifiers = 0;
        uint32_t virtualKey = 0;
    };
    std::vector<HotKey> hotKeys_;
};

}
