#include "platform/x11/X11WindowView.h"

#include "platform/Utf.h"
#include "platform/host/ProgramName.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

X11WindowView::X11WindowView(X11Connection& connection, X11PictureTransfer& transfer, Window const& window, Rect client)
    : connection_(connection)
    , transfer_(transfer)
    , managed_(window.HasCaption())
    , client_(client)
{
    Display* display = connection_.Display();
    XSetWindowAttributes attributes {};
    attributes.background_pixmap = None;
    attributes.bit_gravity = NorthWestGravity;
    // Pop-ups are placed to the pixel and moved every few milliseconds by
    // animations: no window manager may decorate, place or list them.
    attributes.override_redirect = managed_ ? False : True;
    attributes.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | KeyPressMask | KeyReleaseMask
        | StructureNotifyMask | FocusChangeMask | (managed_ ? PropertyChangeMask : NoEventMask);
    id_ = XCreateWindow(display, connection_.Root(), client.left, client.top, unsigned(std::max(client.Width(), 1)),
        unsigned(std::max(client.Height(), 1)), 0, connection_.Depth(), InputOutput, static_cast<Visual*>(connection_.VisualHandle()),
        CWBackPixmap | CWBitGravity | CWOverrideRedirect | CWEventMask, &attributes);

    std::string name = ProgramName();
    std::string className = name;
    if (!className.empty())
        className[0] = char(std::toupper(static_cast<unsigned char>(className[0])));
    XClassHint classHint { name.data(), className.data() };
    XSetClassHint(display, id_, &classHint);
    long pid = long(getpid());
    XChangeProperty(display, id_, connection_.Atom(X11Atom::NetWmPid), XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&pid), 1);
    if (managed_) {
        SetSizeHints();
        SetWindowManagerHints(window.style);
        Atom protocols[] = { Atom(connection_.Atom(X11Atom::WmDeleteWindow)) };
        XSetWMProtocols(display, id_, protocols, 1);
    }
    SetTitle(window.title);
}

X11WindowView::~X11WindowView()
{
    XDestroyWindow(connection_.Display(), id_);
}

void X11WindowView::Place(Rect client)
{
    if (client == client_)
        return;
    client_ = client;
    if (managed_)
        SetSizeHints();
    XMoveResizeWindow(connection_.Display(), id_, client.left, client.top, unsigned(std::max(client.Width(), 1)),
        unsigned(std::max(client.Height(), 1)));
}

// The client area stays where we put it, the manager's frame around it, and
// keeps its size: the program alone decides both.
void X11WindowView::SetSizeHints()
{
    XSizeHints hints {};
    hints.flags = USPosition | USSize | PMinSize | PMaxSize | PWinGravity;
    hints.x = client_.left;
    hints.y = client_.top;
    hints.width = hints.min_width = hints.max_width = std::max(client_.Width(), 1);
    hints.height = hints.min_height = hints.max_height = std::max(client_.Height(), 1);
    hints.win_gravity = StaticGravity;
    XSetWMNormalHints(connection_.Display(), id_, &hints);
}

// What the manager's frame offers follows the window's style, as on the
// device: a caption, a close button with the system menu, a minimise button
// only with the minimise box. Never resizing or maximising: the program alone
// sets the size. The motif hints are what window managers read for that.
void X11WindowView::SetWindowManagerHints(uint32_t style)
{
    constexpr long kHintFunctions = 1, kHintDecorations = 2;
    constexpr long kFunctionMove = 4, kFunctionMinimize = 8, kFunctionClose = 32;
    constexpr long kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16, kDecorMinimize = 32;
    long functions = kFunctionMove;
    long decorations = kDecorBorder | kDecorTitle;
    if (style & Style::SystemMenu) {
        functions |= kFunctionClose;
        decorations |= kDecorMenu;
    }
    if (style & Style::MinimizeBox) {
        functions |= kFunctionMinimize;
        decorations |= kDecorMinimize;
    }
    long motif[5] = { kHintFunctions | kHintDecorations, functions, decorations, 0, 0 };
    Display* display = connection_.Display();
    XId const motifAtom = connection_.Atom(X11Atom::MotifWmHints);
    auto* bytes = reinterpret_cast<unsigned char*>(motif);
    XChangeProperty(display, id_, motifAtom, motifAtom, 32, PropModeReplace, bytes, 5);
    long type = long(connection_.Atom(X11Atom::NetWmWindowTypeNormal));
    XChangeProperty(display, id_, connection_.Atom(X11Atom::NetWmWindowType), XA_ATOM, 32, PropModeReplace,
        reinterpret_cast<unsigned char*>(&type), 1);
}

void X11WindowView::SetTitle(std::u16string_view title)
{
    std::string text = ToUtf8(title);
    Display* display = connection_.Display();
    auto bytes = reinterpret_cast<unsigned char const*>(text.data());
    XId const utf8 = connection_.Atom(X11Atom::Utf8String);
    XId const name = connection_.Atom(X11Atom::NetWmName);
    XChangeProperty(display, id_, name, utf8, 8, PropModeReplace, bytes, int(text.size()));
    XChangeProperty(display, id_, XA_WM_NAME, utf8, 8, PropModeReplace, bytes, int(text.size()));
}

void X11WindowView::SetVisible(bool visible)
{
    Display* display = connection_.Display();
    if (visible)
        XMapWindow(display, id_);
    else if (managed_)
        // Also tells the manager when the window is iconified, and so unmapped already.
        XWithdrawWindow(display, id_, connection_.ScreenNumber());
    else
        XUnmapWindow(display, id_);
}

bool X11WindowView::NoticeIconified(bool unmapped)
{
    if (!managed_ || iconified_)
        return false;
    iconified_ = Iconic(unmapped);
    return iconified_;
}

bool X11WindowView::Iconic(bool unmapped) const
{
    std::vector<long> wmState = connection_.Property32(id_, X11Atom::WmState, connection_.Atom(X11Atom::WmState), 1);
    if (!wmState.empty() && wmState[0] == IconicState)
        return true;
    if (!unmapped)
        return false;
    std::vector<long> states = connection_.Property32(id_, X11Atom::NetWmState, XA_ATOM, 32);
    return std::find(states.begin(), states.end(), long(connection_.Atom(X11Atom::NetWmStateHidden))) != states.end();
}

void X11WindowView::SetTopMost(bool topMost)
{
    Display* display = connection_.Display();
    if (!managed_) {
        if (topMost)
            XRaiseWindow(display, id_);
        return;
    }
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = id_;
    event.xclient.message_type = connection_.Atom(X11Atom::NetWmState);
    event.xclient.format = 32;
    event.xclient.data.l[0] = topMost ? 1 : 0;
    event.xclient.data.l[1] = long(connection_.Atom(X11Atom::NetWmStateAbove));
    event.xclient.data.l[3] = 1;
    XSendEvent(display, connection_.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

void X11WindowView::Present(Surface& picture, Point clientOffset)
{
    Rect damage = picture.TakeDamage();
    int32_t width = std::min(client_.Width(), picture.Width() - clientOffset.x);
    int32_t height = std::min(client_.Height(), picture.Height() - clientOffset.y);
    if (width <= 0 || height <= 0)
        return;
    if (width != shownWidth_ || height != shownHeight_)
        damage = { clientOffset.x, clientOffset.y, clientOffset.x + width, clientOffset.y + height };
    shownWidth_ = width;
    shownHeight_ = height;
    Rect area {
        std::max(damage.left - clientOffset.x, 0),
        std::max(damage.top - clientOffset.y, 0),
        std::min(damage.right - clientOffset.x, width),
        std::min(damage.bottom - clientOffset.y, height),
    };
    Repaint(area, picture, clientOffset);
}

void X11WindowView::Repaint(Rect area, Surface& picture, Point clientOffset)
{
    area = { std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, shownWidth_),
        std::min(area.bottom, shownHeight_) };
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    Rect inPicture = Rect::FromSize(area.left + clientOffset.x, area.top + clientOffset.y, area.Width(), area.Height());
    transfer_.Send(id_, picture, inPicture, { area.left, area.top });
}

}
