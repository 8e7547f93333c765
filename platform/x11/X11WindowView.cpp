#include "platform/x11/X11WindowView.h"

#include "platform/Utf.h"
#include "platform/window/Window.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>

namespace platform {

// From this many pixels on, a change goes through the shared image.
constexpr int64_t kSharedPixels = 16384;

struct X11WindowView::Image {
    XImage* image = nullptr;
    XShmSegmentInfo segment {};
    bool shared = false;
};

X11WindowView::X11WindowView(X11Connection& connection, Window const& window, Rect client)
    : connection_(connection)
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
        | StructureNotifyMask | FocusChangeMask;
    id_ = XCreateWindow(display, connection_.Root(), client.left, client.top, unsigned(std::max(client.Width(), 1)),
        unsigned(std::max(client.Height(), 1)), 0, connection_.Depth(), InputOutput, static_cast<Visual*>(connection_.VisualHandle()),
        CWBackPixmap | CWBitGravity | CWOverrideRedirect | CWEventMask, &attributes);

    std::string name = X11Connection::ProgramName();
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
        Atom protocols[] = { Atom(connection_.Atom(X11Atom::WmDeleteWindow)) };
        XSetWMProtocols(display, id_, protocols, 1);
    }
    SetTitle(window.title);
}

X11WindowView::~X11WindowView()
{
    DropImage();
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
    if (visible)
        XMapWindow(connection_.Display(), id_);
    else
        XUnmapWindow(connection_.Display(), id_);
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

bool X11WindowView::MakeImage(int32_t width, int32_t height)
{
    DropImage();
    if (width <= 0 || height <= 0)
        return false;
    Display* display = connection_.Display();
    auto image = new Image;
    if (connection_.HasSharedMemory()) {
        image->image = XShmCreateImage(display, static_cast<Visual*>(connection_.VisualHandle()), unsigned(connection_.Depth()), ZPixmap, nullptr,
            &image->segment, unsigned(width), unsigned(height));
        if (image->image) {
            size_t bytes = size_t(image->image->bytes_per_line) * size_t(height);
            image->segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
            void* memory = image->segment.shmid >= 0 ? shmat(image->segment.shmid, nullptr, 0) : reinterpret_cast<void*>(-1);
            if (memory != reinterpret_cast<void*>(-1)) {
                image->segment.shmaddr = image->image->data = static_cast<char*>(memory);
                image->segment.readOnly = True;
                X11ErrorTrap trap(display);
                XShmAttach(display, &image->segment);
                image->shared = !trap.Failed();
                // Gone once both sides have let go of it, even if we crash.
                shmctl(image->segment.shmid, IPC_RMID, nullptr);
                if (!image->shared)
                    shmdt(memory);
            } else if (image->segment.shmid >= 0) {
                shmctl(image->segment.shmid, IPC_RMID, nullptr);
            }
            if (!image->shared) {
                image->image->data = nullptr;
                XDestroyImage(image->image);
                image->image = nullptr;
            }
        }
    }
    if (!image->image) {
        auto data = static_cast<char*>(std::calloc(size_t(width) * size_t(height), 4));
        image->image = XCreateImage(display, static_cast<Visual*>(connection_.VisualHandle()), unsigned(connection_.Depth()), ZPixmap, 0, data,
            unsigned(width), unsigned(height), 32, 0);
        if (!image->image) {
            std::free(data);
            delete image;
            return false;
        }
    }
    // Our pixels are 0x00RRGGBB words in this machine's byte order.
    image->image->byte_order = LSBFirst;
    image_ = image;
    return image->image->bits_per_pixel == 32;
}

void X11WindowView::DropImage()
{
    if (!image_)
        return;
    if (image_->shared) {
        XShmDetach(connection_.Display(), &image_->segment);
        XSync(connection_.Display(), False);
        image_->image->data = nullptr;
        XDestroyImage(image_->image);
        shmdt(image_->segment.shmaddr);
    } else {
        XDestroyImage(image_->image);
    }
    delete image_;
    image_ = nullptr;
}

bool X11WindowView::Present(Surface& picture, Point clientOffset)
{
    Rect damage = picture.TakeDamage();
    int32_t width = std::min(client_.Width(), picture.Width() - clientOffset.x);
    int32_t height = std::min(client_.Height(), picture.Height() - clientOffset.y);
    if (width <= 0 || height <= 0)
        return false;
    // An image is kept while it is large enough: a rolling animation resizes
    // the window every step, and a new shared image costs several round trips.
    bool fits = image_ && image_->image->width >= width && image_->image->height >= height;
    if (!fits && !MakeImage(width, height))
        return false;
    if (!fits || width != shownWidth_ || height != shownHeight_)
        damage = { clientOffset.x, clientOffset.y, clientOffset.x + width, clientOffset.y + height };
    shownWidth_ = width;
    shownHeight_ = height;
    Rect area {
        std::max(damage.left - clientOffset.x, 0),
        std::max(damage.top - clientOffset.y, 0),
        std::min(damage.right - clientOffset.x, width),
        std::min(damage.bottom - clientOffset.y, height),
    };
    if (area.right <= area.left || area.bottom <= area.top)
        return false;
    XImage* image = image_->image;
    size_t bytes = size_t(area.right - area.left) * 4;
    for (int32_t y = area.top; y < area.bottom; ++y) {
        auto into = image->data + size_t(y) * size_t(image->bytes_per_line) + size_t(area.left) * 4;
        std::memcpy(into, picture.Row(y + clientOffset.y) + clientOffset.x + area.left, bytes);
    }
    // A small change travels faster through the socket than a shared image
    // would by the round trip it needs before the image may be written again.
    bool shared = image_->shared && int64_t(area.right - area.left) * (area.bottom - area.top) >= kSharedPixels;
    PutImage(area, shared);
    return shared;
}

void X11WindowView::Repaint(Rect area)
{
    if (image_)
        PutImage(area, false);
}

void X11WindowView::PutImage(Rect area, bool shared)
{
    XImage* image = image_->image;
    area = { std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, shownWidth_),
        std::min(area.bottom, shownHeight_) };
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    Display* display = connection_.Display();
    GC gc = DefaultGC(display, connection_.ScreenNumber());
    auto width = unsigned(area.right - area.left);
    auto height = unsigned(area.bottom - area.top);
    if (shared)
        XShmPutImage(display, id_, gc, image, area.left, area.top, area.left, area.top, width, height, False);
    else
        XPutImage(display, id_, gc, image, area.left, area.top, area.left, area.top, width, height);
}

}
