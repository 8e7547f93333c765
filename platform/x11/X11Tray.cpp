#include "platform/x11/X11Tray.h"

#include "platform/host/ProgramName.h"
#include "platform/window/Messages.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace platform {

namespace {

constexpr long kRequestDock = 0;
constexpr unsigned long kXEmbedMapped = 1;
constexpr int32_t kIconSize = 16;

}

struct X11Tray::Icon {
    WindowHandle owner;
    uint32_t id = 0;
    uint32_t callbackMessage = 0;
    IconHandle icon;
    XId window = 0;
    int32_t width = kIconSize;
    int32_t height = kIconSize;
};

X11Tray::X11Tray(X11Connection& connection, WindowSystem& windows)
    : connection_(connection)
    , windows_(windows)
{
    // A tray that starts later announces itself to every client on the root window.
    XSelectInput(connection_.Display(), connection_.Root(), StructureNotifyMask);
    FindManager();
}

X11Tray::~X11Tray()
{
    for (auto& icon : icons_)
        XDestroyWindow(connection_.Display(), icon->window);
}

X11Tray::Icon* X11Tray::Find(WindowHandle window, uint32_t id)
{
    for (auto& icon : icons_) {
        if (icon->owner == window && icon->id == id)
            return icon.get();
    }
    return nullptr;
}

X11Tray::Icon* X11Tray::FindByWindow(XId window)
{
    for (auto& icon : icons_) {
        if (icon->window == window)
            return icon.get();
    }
    return nullptr;
}

bool X11Tray::Notify(uint32_t message, NotifyIconData const& data)
{
    Display* display = connection_.Display();
    Icon* icon = Find(data.window, data.id);
    switch (message) {
    case Tray::Add: {
        if (icon || !windows_.IsWindow(data.window))
            return false;
        auto added = std::make_unique<Icon>();
        added->owner = data.window;
        added->id = data.id;
        XSetWindowAttributes attributes {};
        attributes.background_pixmap = ParentRelative;
        attributes.event_mask = ButtonPressMask | ButtonReleaseMask | ExposureMask | StructureNotifyMask;
        added->window = XCreateWindow(display, connection_.Root(), 0, 0, kIconSize, kIconSize, 0, CopyFromParent,
            InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
        unsigned long info[] = { 0, kXEmbedMapped };
        XId const infoAtom = connection_.Atom(X11Atom::XembedInfo);
        auto* bytes = reinterpret_cast<unsigned char*>(info);
        XChangeProperty(display, added->window, infoAtom, infoAtom, 32, PropModeReplace, bytes, 2);
        std::string name = ProgramName();
        XClassHint classHint { name.data(), name.data() };
        XSetClassHint(display, added->window, &classHint);
        // Trays size an icon by the least size it asks for.
        XSizeHints hints {};
        hints.flags = PMinSize | PBaseSize;
        hints.min_width = hints.base_width = kIconSize;
        hints.min_height = hints.base_height = kIconSize;
        XSetWMNormalHints(display, added->window, &hints);
        icon = added.get();
        icons_.push_back(std::move(added));
        if (manager_)
            Dock(*icon);
        break;
    }
    case Tray::Modify:
        if (!icon)
            return false;
        break;
    case Tray::Delete:
        if (!icon)
            return false;
        XDestroyWindow(display, icon->window);
        std::erase_if(icons_, [icon](auto const& entry) { return entry.get() == icon; });
        return true;
    default:
        return false;
    }
    if (data.flags & Tray::HasMessage)
        icon->callbackMessage = data.callbackMessage;
    if (data.flags & Tray::HasIcon) {
        icon->icon = data.icon;
        Draw(*icon);
    }
    return true;
}

void X11Tray::FindManager()
{
    Display* display = connection_.Display();
    XId manager = XGetSelectionOwner(display, connection_.Atom(X11Atom::SystemTray));
    if (!manager || manager == manager_)
        return;
    {
        X11ErrorTrap trap(display);
        XSelectInput(display, manager, StructureNotifyMask);
        if (trap.Failed())
            return; // gone again already
    }
    manager_ = manager;
    for (auto& icon : icons_)
        Dock(*icon);
}

void X11Tray::Dock(Icon& icon)
{
    Display* display = connection_.Display();
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = manager_;
    event.xclient.message_type = connection_.Atom(X11Atom::SystemTrayOpcode);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = kRequestDock;
    event.xclient.data.l[2] = long(icon.window);
    X11ErrorTrap trap(display);
    XSendEvent(display, manager_, False, NoEventMask, &event);
    if (trap.Failed())
        manager_ = 0;
}

// The picture scaled to the window by nearest pixels; what is transparent
// shows the tray's own background through the window's parent-relative ground.
void X11Tray::Draw(Icon& icon)
{
    Display* display = connection_.Display();
    XClearWindow(display, icon.window);
    Surface const* picture = IconPicture(icon.icon);
    if (!picture || picture->Empty() || icon.width <= 0 || icon.height <= 0)
        return;
    int32_t width = icon.width;
    int32_t height = icon.height;
    auto pixels = static_cast<uint32_t*>(std::malloc(size_t(width) * size_t(height) * 4));
    if (!pixels)
        return;
    int32_t maskStride = (width + 7) / 8;
    std::vector<char> mask(size_t(maskStride) * size_t(height), 0);
    for (int32_t y = 0; y < height; ++y) {
        uint32_t const* row = picture->Row(int32_t(int64_t(y) * picture->Height() / height));
        for (int32_t x = 0; x < width; ++x) {
            uint32_t pixel = row[int64_t(x) * picture->Width() / width];
            pixels[size_t(y) * size_t(width) + size_t(x)] = pixel & 0xFFFFFF;
            if ((pixel >> 24) >= 0x80)
                mask[size_t(y) * size_t(maskStride) + size_t(x / 8)] |= char(1 << (x % 8));
        }
    }
    XImage* image = XCreateImage(display, DefaultVisual(display, connection_.ScreenNumber()),
        unsigned(DefaultDepth(display, connection_.ScreenNumber())), ZPixmap, 0, reinterpret_cast<char*>(pixels),
        unsigned(width), unsigned(height), 32, 0);
    if (!image) {
        std::free(pixels);
        return;
    }
    image->byte_order = LSBFirst;
    Pixmap clip = XCreateBitmapFromData(display, icon.window, mask.data(), unsigned(width), unsigned(height));
    GC gc = XCreateGC(display, icon.window, 0, nullptr);
    XSetClipMask(display, gc, clip);
    X11ErrorTrap trap(display);
    XPutImage(display, icon.window, gc, image, 0, 0, 0, 0, unsigned(width), unsigned(height));
    trap.Failed();
    XFreeGC(display, gc);
    XFreePixmap(display, clip);
    XDestroyImage(image);
}

bool X11Tray::Handle(XEvent const& event)
{
    Display* display = connection_.Display();
    if (event.type == ClientMessage && event.xclient.message_type == connection_.Atom(X11Atom::Manager)
        && XId(event.xclient.data.l[1]) == connection_.Atom(X11Atom::SystemTray)) {
        FindManager();
        return true;
    }
    if (event.type == DestroyNotify && manager_ && event.xdestroywindow.window == manager_) {
        manager_ = 0;
        FindManager();
        return true;
    }
    Icon* icon = nullptr;
    switch (event.type) {
    case Expose:
        if ((icon = FindByWindow(event.xexpose.window)) && event.xexpose.count == 0)
            Draw(*icon);
        return icon != nullptr;
    case ConfigureNotify:
        if ((icon = FindByWindow(event.xconfigure.window))) {
            icon->width = event.xconfigure.width;
            icon->height = event.xconfigure.height;
        }
        return icon != nullptr;
    case ReparentNotify:
        // A tray that went away hands its icons back to the root: wait unseen for the next.
        if ((icon = FindByWindow(event.xreparent.window)) && event.xreparent.parent == connection_.Root())
            XUnmapWindow(display, icon->window);
        return icon != nullptr;
    case ButtonPress:
    case ButtonRelease: {
        if (!(icon = FindByWindow(event.xbutton.window)))
            return false;
        bool press = event.type == ButtonPress;
        uint32_t mouseMessage = 0;
        if (event.xbutton.button == Button1)
            mouseMessage = press ? Msg::LeftButtonDown : Msg::LeftButtonUp;
        else if (event.xbutton.button == Button3)
            mouseMessage = press ? 0x0204 : 0x0205;
        if (mouseMessage && icon->callbackMessage)
            windows_.PostMessage(icon->owner, icon->callbackMessage, icon->id, LParam(mouseMessage));
        return true;
    }
    default:
        return false;
    }
}

}
