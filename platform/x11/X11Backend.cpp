#include "platform/x11/X11Backend.h"

#include "platform/Keys.h"
#include "platform/dialog/BoxWindow.h"
#include "platform/window/Messages.h"
#include "platform/x11/X11KeyMap.h"

#include <cerrno>
#include <poll.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace platform {

namespace {

// The platform's hot-key modifiers as X modifier masks.
unsigned ModifierMask(uint32_t modifiers)
{
    unsigned mask = 0;
    if (modifiers & 0x1)
        mask |= Mod1Mask;
    if (modifiers & 0x2)
        mask |= ControlMask;
    if (modifiers & 0x4)
        mask |= ShiftMask;
    if (modifiers & 0x8)
        mask |= Mod4Mask;
    return mask;
}

// A grab names exact modifiers: the same key with Caps Lock or Num Lock on is
// another combination, and a taken key must not depend on them.
constexpr unsigned kLockVariants[] = { 0, LockMask, Mod2Mask, LockMask | Mod2Mask };

}

std::unique_ptr<X11Backend> X11Backend::Open(std::string& error)
{
    auto connection = X11Connection::Open(error);
    if (!connection)
        return nullptr;
    return std::unique_ptr<X11Backend>(new X11Backend(std::move(connection)));
}

X11Backend::X11Backend(std::unique_ptr<X11Connection> connection)
    : connection_(std::move(connection))
{
    tray_ = std::make_unique<X11Tray>(*connection_, Windows());
    Windows().SetEvents(this);
}

X11Backend::~X11Backend()
{
    Windows().SetEvents(nullptr);
    views_.clear();
    tray_.reset();
}

// A real dialog that takes the keyboard while it is open and gives it back
// to whichever window had it, ours or another program's.
BoxResult X11Backend::MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    Display* display = connection_->Display();
    ::Window focusBefore = 0;
    int revert = 0;
    XGetInputFocus(display, &focusBefore, &revert);
    ++openBoxes_;
    BoxResult answer = RunBoxWindow(owner, text, caption, flags);
    --openBoxes_;
    if (focusBefore != PointerRoot && focusBefore != None) {
        X11ErrorTrap trap(display);
        XSetInputFocus(display, focusBefore, revert, CurrentTime);
        trap.Failed();
    }
    focusShown_ = {};
    return answer;
}

int X11Backend::KeyCodeOf(uint32_t virtualKey) const
{
    unsigned long keySym = KeySymOfVirtualKey(virtualKey);
    return keySym ? XKeysymToKeycode(connection_->Display(), keySym) : 0;
}

void X11Backend::SynthesizeKey(uint8_t virtualKey, uint32_t flags)
{
    int keyCode = KeyCodeOf(virtualKey);
    if (!connection_->HasKeyTest() || keyCode == 0)
        return;
    Display* display = connection_->Display();
    XTestFakeKeyEvent(display, unsigned(keyCode), (flags & kKeyEventKeyUp) ? False : True, CurrentTime);
    XFlush(display);
}

bool X11Backend::GrabKey(uint32_t virtualKey, uint32_t modifiers, bool grab)
{
    int keyCode = KeyCodeOf(virtualKey);
    if (keyCode == 0)
        return false;
    Display* display = connection_->Display();
    unsigned mask = ModifierMask(modifiers);
    auto release = [&] {
        for (unsigned lock : kLockVariants)
            XUngrabKey(display, keyCode, mask | lock, connection_->Root());
    };
    if (!grab) {
        release();
        XFlush(display);
        return true;
    }
    X11ErrorTrap trap(display);
    for (unsigned lock : kLockVariants)
        XGrabKey(display, keyCode, mask | lock, connection_->Root(), False, GrabModeAsync, GrabModeAsync);
    if (!trap.Failed())
        return true;
    // Another program holds the key: take none of its variants.
    release();
    return false;
}

bool X11Backend::KeyIsDown(uint32_t virtualKey)
{
    int keyCode = KeyCodeOf(virtualKey);
    if (keyCode == 0)
        return false;
    char keys[32] = {};
    XQueryKeymap(connection_->Display(), keys);
    return (keys[keyCode / 8] >> (keyCode % 8)) & 1;
}

bool X11Backend::NotifyIcon(uint32_t message, NotifyIconData const& data)
{
    return tray_->Notify(message, data);
}

Rect X11Backend::Screen() const
{
    return { 0, 0, connection_->Width(), connection_->Height() };
}

// The desktop's work area as its window manager publishes it; the screen without one.
Rect X11Backend::WorkArea() const
{
    Display* display = connection_->Display();
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    Rect area = Screen();
    if (XGetWindowProperty(display, connection_->Root(), connection_->Atoms().netWorkArea, 0, 4, False, XA_CARDINAL,
            &type, &format, &count, &remaining, &data)
            == Success
        && data && format == 32 && count >= 4) {
        auto values = reinterpret_cast<long*>(data);
        Rect published = Rect::FromSize(int32_t(values[0]), int32_t(values[1]), int32_t(values[2]), int32_t(values[3]));
        if (published.Width() > 0 && published.Height() > 0)
            area = published;
    }
    if (data)
        XFree(data);
    return area;
}

bool X11Backend::WaitForEvents(std::optional<uint32_t> deadline)
{
    Present();
    Display* display = connection_->Display();
    for (;;) {
        bool handled = false;
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            Handle(event);
            handled = true;
        }
        if (handled)
            return true;
        int timeout = -1;
        if (deadline) {
            auto ahead = int32_t(*deadline - TickCount());
            if (ahead <= 0)
                return true;
            timeout = ahead;
        }
        pollfd connection { connection_->FileDescriptor(), POLLIN, 0 };
        int ready = poll(&connection, 1, timeout);
        if (ready == 0)
            return true;
        if (ready < 0 && errno != EINTR)
            return true;
        // Readable or hung up: XPending reads, or reports the lost connection.
    }
}

WindowHandle X11Backend::HandleOf(XId window) const
{
    for (auto const& [number, view] : views_) {
        if (view->Id() == window)
            return WindowHandle { number };
    }
    return {};
}

Rect X11Backend::ClientOnScreen(Window const& window)
{
    Point offset = Windows().ClientOffset(window.handle);
    Rect client = Windows().ClientRect(window.handle);
    return Rect::FromSize(window.rect.left + offset.x, window.rect.top + offset.y, client.Width(), client.Height());
}

Point X11Backend::ScreenPointOf(WindowHandle handle, int x, int y)
{
    Window const* window = Windows().Find(handle);
    if (!window)
        return {};
    Rect client = ClientOnScreen(*window);
    return { client.left + x, client.top + y };
}

void X11Backend::Handle(XEvent& event)
{
    if (tray_->Handle(event))
        return;
    WindowSystem& windows = Windows();
    switch (event.type) {
    case Expose: {
        WindowHandle handle = HandleOf(event.xexpose.window);
        if (handle)
            views_[handle.value]->Repaint(Rect::FromSize(event.xexpose.x, event.xexpose.y, event.xexpose.width, event.xexpose.height));
        break;
    }
    case ButtonPress:
    case ButtonRelease: {
        WindowHandle handle = HandleOf(event.xbutton.window);
        if (!handle || event.xbutton.button != Button1)
            break;
        Point point = ScreenPointOf(handle, event.xbutton.x, event.xbutton.y);
        if (event.type == ButtonPress)
            windows.PenDown(point);
        else
            windows.PenUp(point);
        break;
    }
    case KeyPress:
    case KeyRelease: {
        uint32_t virtualKey = VirtualKeyOfKeySym(XLookupKeysym(&event.xkey, 0));
        if (virtualKey == 0)
            break;
        // Keys taken on the root window arrive there; others come to the window that has the focus.
        WindowHandle handle = HandleOf(event.xkey.window);
        if (handle && windows.Focus() != handle)
            windows.SetForegroundWindow(handle);
        windows.Key(virtualKey, event.type == KeyPress);
        break;
    }
    case ClientMessage:
        if (event.xclient.message_type == connection_->Atoms().wmProtocols
            && XId(event.xclient.data.l[0]) == connection_->Atoms().wmDeleteWindow) {
            if (WindowHandle handle = HandleOf(event.xclient.window))
                windows.PostMessage(handle, Msg::Close, 0, 0);
        }
        break;
    case MapNotify:
        if (HandleOf(event.xmap.window) == windows.Focus())
            focusShown_ = {};
        break;
    default:
        break;
    }
}

void X11Backend::Created(Window const& window)
{
    auto view = std::make_unique<X11WindowView>(*connection_, window, ClientOnScreen(window));
    if (window.visible)
        view->SetVisible(true);
    views_[window.handle.value] = std::move(view);
    stackingChanged_ = true;
}

void X11Backend::Moved(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->Place(ClientOnScreen(window));
    stackingChanged_ = true;
}

void X11Backend::Shown(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetVisible(true);
    stackingChanged_ = true;
}

void X11Backend::Hidden(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetVisible(false);
}

void X11Backend::BecameTopMost(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetTopMost(window.topMost);
    stackingChanged_ = true;
}

void X11Backend::TitleChanged(Window const& window)
{
    if (auto found = views_.find(window.handle.value); found != views_.end())
        found->second->SetTitle(window.title);
}

void X11Backend::Destroyed(Window const& window)
{
    views_.erase(window.handle.value);
    if (focusShown_ == window.handle)
        focusShown_ = {};
}

// Our pop-ups keep among themselves the order the window system gives them;
// the top-most ones also go above every other program's windows.
void X11Backend::Restack()
{
    stackingChanged_ = false;
    std::vector<::Window> order;
    for (WindowHandle handle : Windows().ZOrder()) {
        auto found = views_.find(handle.value);
        if (found == views_.end() || found->second->Managed())
            continue;
        if (order.empty() && Windows().Find(handle)->topMost)
            XRaiseWindow(connection_->Display(), found->second->Id());
        order.push_back(found->second->Id());
    }
    if (order.size() > 1)
        XRestackWindows(connection_->Display(), order.data(), int(order.size()));
}

void X11Backend::Present()
{
    Display* display = connection_->Display();
    WindowSystem& windows = Windows();
    bool shared = false;
    for (auto const& [number, view] : views_) {
        WindowHandle handle { number };
        if (Surface* picture = windows.PictureOf(handle))
            shared |= view->Present(*picture, windows.ClientOffset(handle));
    }
    if (stackingChanged_)
        Restack();
    // Keys follow the focus into windows that take them: framed ones and boxes.
    WindowHandle focus = windows.Focus();
    if (focus && focus != focusShown_) {
        auto found = views_.find(focus.value);
        if (found != views_.end() && (found->second->Managed() || openBoxes_ > 0)) {
            X11ErrorTrap trap(display);
            XSetInputFocus(display, found->second->Id(), RevertToParent, CurrentTime);
            if (!trap.Failed())
                focusShown_ = focus;
        }
    }
    if (shared)
        XSync(display, False); // the server reads shared images later: let it finish first
    else
        XFlush(display);
}

}
