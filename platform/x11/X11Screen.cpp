#include "platform/x11/X11Screen.h"

#include "platform/host/HostShell.h"
#include "platform/host/ProgramName.h"
#include "platform/roles/SystemServices.h"
#include "platform/window/Messages.h"
#include "platform/x11/X11KeyMap.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <poll.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

X11Screen::X11Screen(X11Connection& connection, WindowSystem& windows, X11Tray& tray, SystemServices& clock)
    : connection_(connection)
    , windows_(windows)
    , tray_(tray)
    , clock_(clock)
    , transfer_(connection)
{
    windows_.SetEvents(this);
    // Other programs' windows that open or rise, so that top-most ones go above them again.
    XWindowAttributes root {};
    XGetWindowAttributes(connection_.Display(), connection_.Root(), &root);
    XSelectInput(connection_.Display(), connection_.Root(), root.your_event_mask | SubstructureNotifyMask);
}

X11Screen::~X11Screen()
{
    windows_.SetEvents(nullptr);
}

void X11Screen::BoxClosed()
{
    --openBoxes_;
    focusShown_ = {};
}

Rect X11Screen::Bounds() const
{
    return { 0, 0, connection_.Width(), connection_.Height() };
}

// The desktop's work area as its window manager publishes it; the screen without one.
Rect X11Screen::WorkArea() const
{
    std::vector<long> values = connection_.Property32(connection_.Root(), X11Atom::NetWorkArea, XA_CARDINAL, 4);
    if (values.size() < 4)
        return Bounds();
    Rect published = Rect::FromSize(int32_t(values[0]), int32_t(values[1]), int32_t(values[2]), int32_t(values[3]));
    return published.Width() > 0 && published.Height() > 0 ? published : Bounds();
}

bool X11Screen::WaitForEvents(std::optional<uint32_t> deadline)
{
    Present();
    Display* display = connection_.Display();
    for (;;) {
        bool handled = false;
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            Handle(event);
            handled = true;
        }
        if (handled || PostSettledChanges())
            return true;
        uint32_t now = clock_.TickCount();
        if (deadline && int32_t(*deadline - now) <= 0)
            return true;
        // Sleep until the nearer of the caller's deadline and a watch settling.
        std::optional<uint32_t> wake = deadline;
        if (std::optional<uint32_t> settles = fileWatch_ ? fileWatch_->NextDue(now) : std::nullopt) {
            if (!wake || int32_t(*settles - *wake) < 0)
                wake = settles;
        }
        int timeout = wake ? std::max(int32_t(*wake - now), 0) : -1;
        pollfd waitedOn[2] = { { connection_.FileDescriptor(), POLLIN, 0 }, { -1, POLLIN, 0 } };
        if (fileWatch_)
            waitedOn[1].fd = fileWatch_->FileDescriptor();
        int ready = poll(waitedOn, fileWatch_ ? 2 : 1, timeout);
        if (ready < 0 && errno != EINTR)
            return true;
        if (ready > 0 && fileWatch_ && (waitedOn[1].revents & POLLIN))
            fileWatch_->ReadChanges(clock_.TickCount());
        // The connection readable or hung up: XPending reads, or reports the lost connection.
    }
}

bool X11Screen::PostSettledChanges()
{
    bool posted = false;
    while (std::optional<Message> settled = fileWatch_ ? fileWatch_->TakeSettled(clock_.TickCount()) : std::nullopt) {
        windows_.PostMessage(settled->window, settled->message, settled->wParam, settled->lParam);
        posted = true;
    }
    return posted;
}

bool X11Screen::StartWatchingFiles(std::string& error)
{
    fileWatch_ = HostFileWatch::Open(error);
    return fileWatch_ != nullptr;
}

bool X11Screen::WatchFiles(WindowHandle window, uint32_t message, WParam id, std::span<std::u16string const> paths)
{
    if (!fileWatch_ || !windows_.IsWindow(window))
        return false;
    std::vector<std::string> hostPaths;
    for (std::u16string const& path : paths)
        hostPaths.push_back(HostPathOf(path));
    std::string problem = fileWatch_->Watch(window, id, message, hostPaths);
    if (!problem.empty() && toldProblems_.insert(problem).second)
        std::fprintf(stderr, "%s: %s\n", ProgramName().c_str(), problem.c_str());
    return true;
}

WindowHandle X11Screen::HandleOf(XId window) const
{
    for (auto const& [number, view] : views_) {
        if (view->Id() == window)
            return WindowHandle { number };
    }
    return {};
}

Point X11Screen::ScreenPointOf(WindowHandle handle, int x, int y)
{
    if (!windows_.IsWindow(handle))
        return {};
    Rect client = windows_.ClientOnScreen(handle);
    return { client.left + x, client.top + y };
}

void X11Screen::Handle(XEvent& event)
{
    if (tray_.Handle(event))
        return;
    switch (event.type) {
    case Expose: {
        WindowHandle handle = HandleOf(event.xexpose.window);
        Surface* picture = handle ? windows_.PictureOf(handle) : nullptr;
        if (picture) {
            Rect area = Rect::FromSize(event.xexpose.x, event.xexpose.y, event.xexpose.width, event.xexpose.height);
            views_[handle.value]->Repaint(area, *picture, windows_.ClientOffset(handle));
        }
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        WindowHandle handle = HandleOf(event.xbutton.window);
        if (!handle || event.xbutton.button != Button1)
            break;
        Point point = ScreenPointOf(handle, event.xbutton.x, event.xbutton.y);
        if (event.type == ButtonPress)
            windows_.PenDown(point);
        else
            windows_.PenUp(point);
        break;
    }
    case KeyPress:
    case KeyRelease: {
        uint32_t virtualKey = VirtualKeyOfKeySym(XLookupKeysym(&event.xkey, 0));
        if (virtualKey == 0)
            break;
        // Keys taken on the root window arrive there; others come to the window that has the focus.
        WindowHandle handle = HandleOf(event.xkey.window);
        if (handle && windows_.Focus() != handle)
            windows_.SetForegroundWindow(handle);
        windows_.Key(virtualKey, event.type == KeyPress);
        break;
    }
    case ClientMessage:
        if (event.xclient.message_type == connection_.Atom(X11Atom::WmProtocols)
            && XId(event.xclient.data.l[0]) == connection_.Atom(X11Atom::WmDeleteWindow)) {
            if (WindowHandle handle = HandleOf(event.xclient.window))
                windows_.PostMessage(handle, Msg::Close, 0, 0);
        }
        break;
    case ConfigureNotify:
        if (event.xconfigure.event == connection_.Root())
            NoticeOtherWindow(event.xconfigure.window, event.xconfigure.override_redirect);
        break;
    case MapNotify: {
        if (event.xmap.event == connection_.Root()) {
            NoticeOtherWindow(event.xmap.window, event.xmap.override_redirect);
            break;
        }
        WindowHandle handle = HandleOf(event.xmap.window);
        if (handle)
            views_[handle.value]->Mapped();
        if (handle == windows_.Focus())
            focusShown_ = {};
        break;
    }
    case UnmapNotify:
        NoticeIconified(event.xunmap.window, true);
        break;
    case PropertyNotify:
        if (event.xproperty.atom == connection_.Atom(X11Atom::WmState))
            NoticeIconified(event.xproperty.window, false);
        break;
    default:
        break;
    }
}

// A window of another program, or a frame of the window manager, opened or
// moved in the stack: top-most pop-ups go above it again. Pop-ups such as
// menus and other programs' panels are let be, or two programs raising
// their windows over each other's would never end.
void X11Screen::NoticeOtherWindow(XId window, bool overrideRedirect)
{
    if (!overrideRedirect && !HandleOf(window))
        topMostCovered_ = true;
}

// The window manager iconified a window that the program shows: the program
// hears it as the system's minimise command, and may hide the window its own way.
void X11Screen::NoticeIconified(XId id, bool unmapped)
{
    WindowHandle handle = HandleOf(id);
    Window const* window = handle ? windows_.Find(handle) : nullptr;
    if (window && window->visible && views_[handle.value]->NoticeIconified(unmapped))
        windows_.PostMessage(handle, Msg::SystemCommand, SystemCommand::Minimize, 0);
}

void X11Screen::Created(Window const& window)
{
    auto view = std::make_unique<X11WindowView>(connection_, transfer_, window, windows_.ClientOnScreen(window.handle));
    if (window.visible)
        view->SetVisible(true);
    views_[window.handle.value] = std::move(view);
    stackingChanged_ = true;
}

void X11Screen::Moved(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->Place(windows_.ClientOnScreen(window.handle));
    stackingChanged_ = true;
}

void X11Screen::Shown(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetVisible(true);
    stackingChanged_ = true;
}

void X11Screen::Hidden(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetVisible(false);
}

void X11Screen::BecameTopMost(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetTopMost(window.topMost);
    stackingChanged_ = true;
}

void X11Screen::TitleChanged(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetTitle(window.title);
}

void X11Screen::Destroyed(Window const& window)
{
    views_.erase(window.handle.value);
    if (fileWatch_)
        fileWatch_->Forget(window.handle);
    if (focusShown_ == window.handle)
        focusShown_ = {};
}

// Our pop-ups keep among themselves the order the window system gives them;
// the top-most ones also go above every other program's windows.
void X11Screen::Restack()
{
    stackingChanged_ = false;
    std::vector<::Window> order;
    for (WindowHandle handle : windows_.ZOrder()) {
        auto found = views_.find(handle.value);
        if (found == views_.end() || found->second->Managed())
            continue;
        if (order.empty() && windows_.Find(handle)->topMost)
            XRaiseWindow(connection_.Display(), found->second->Id());
        order.push_back(found->second->Id());
    }
    if (order.size() > 1)
        XRestackWindows(connection_.Display(), order.data(), int(order.size()));
}

// Only the top-most pop-ups go above the other window; the others stay below it.
void X11Screen::RaiseTopMost()
{
    topMostCovered_ = false;
    std::vector<::Window> order;
    for (WindowHandle handle : windows_.ZOrder()) {
        if (!windows_.Find(handle)->topMost)
            break;
        auto found = views_.find(handle.value);
        if (found != views_.end() && !found->second->Managed())
            order.push_back(found->second->Id());
    }
    if (order.empty())
        return;
    XRaiseWindow(connection_.Display(), order.front());
    if (order.size() > 1)
        XRestackWindows(connection_.Display(), order.data(), int(order.size()));
}

void X11Screen::Present()
{
    for (auto const& [number, view] : views_) {
        WindowHandle handle { number };
        if (Surface* picture = windows_.PictureOf(handle))
            view->Present(*picture, windows_.ClientOffset(handle));
    }
    if (stackingChanged_)
        Restack();
    if (topMostCovered_)
        RaiseTopMost();
    ShowFocus();
    XFlush(connection_.Display());
}

// Keys follow the focus into windows that take them: framed ones and boxes.
void X11Screen::ShowFocus()
{
    WindowHandle focus = windows_.Focus();
    if (!focus || focus == focusShown_)
        return;
    auto found = views_.find(focus.value);
    if (found == views_.end() || !(found->second->Managed() || openBoxes_ > 0))
        return;
    X11ErrorTrap trap(connection_.Display());
    XSetInputFocus(connection_.Display(), found->second->Id(), RevertToParent, CurrentTime);
    if (!trap.Failed())
        focusShown_ = focus;
}

}
