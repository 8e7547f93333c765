#include "platform/x11/X11Connection.h"

#include "platform/host/ProgramName.h"

#include <cstdio>
#include <cstdlib>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/XKBlib.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/XTest.h>

namespace platform {

namespace {

bool g_trapActive = false;
bool g_trapFailed = false;

int OnProtocolError(Display* display, XErrorEvent* error)
{
    if (g_trapActive) {
        g_trapFailed = true;
        return 0;
    }
    char text[160] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "%s: X-Fehler: %s (Anfrage %d)\n", ProgramName().c_str(), text, int(error->request_code));
    return 0;
}

// Xlib ends the process when this returns; the user learns why in one line.
int OnConnectionLost(Display*)
{
    std::fprintf(stderr, "%s: Die Verbindung zum Display ist abgebrochen.\n", ProgramName().c_str());
    std::fflush(stderr);
    return 0;
}

}

std::unique_ptr<X11Connection> X11Connection::Open(std::string& error)
{
    char const* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        error = "Kein Display: DISPLAY ist nicht gesetzt (ohne Display läuft das Programm mit cesim).";
        return nullptr;
    }
    ::Display* display = XOpenDisplay(nullptr);
    if (!display) {
        error = std::string("Das Display \"") + name + "\" ist nicht erreichbar.";
        return nullptr;
    }
    auto connection = std::unique_ptr<X11Connection>(new X11Connection(display));
    if (connection->depth_ < 24) {
        error = std::string("Das Display \"") + name + "\" hat weniger als 24 Bit Farbtiefe.";
        return nullptr;
    }
    return connection;
}

X11Connection::X11Connection(::Display* display)
    : display_(display)
{
    XSetErrorHandler(OnProtocolError);
    XSetIOErrorHandler(OnConnectionLost);
    screen_ = DefaultScreen(display);
    root_ = RootWindow(display, screen_);
    visual_ = DefaultVisual(display, screen_);
    depth_ = DefaultDepth(display, screen_);

    std::string const tray = "_NET_SYSTEM_TRAY_S" + std::to_string(screen_);
    char const* names[] = {
        "WM_PROTOCOLS",
        "WM_DELETE_WINDOW",
        "WM_STATE",
        "_MOTIF_WM_HINTS",
        "_NET_WM_NAME",
        "_NET_WM_PID",
        "_NET_WM_STATE",
        "_NET_WM_STATE_ABOVE",
        "_NET_WM_STATE_HIDDEN",
        "_NET_WM_STATE_SKIP_TASKBAR",
        "_NET_WM_WINDOW_TYPE",
        "_NET_WM_WINDOW_TYPE_DIALOG",
        "_NET_WM_WINDOW_TYPE_NORMAL",
        "_NET_WORKAREA",
        "UTF8_STRING",
        tray.c_str(),
        "_NET_SYSTEM_TRAY_OPCODE",
        "MANAGER",
        "_XEMBED_INFO",
    };
    static_assert(std::size(names) == size_t(X11Atom::Count));
    XInternAtoms(display, const_cast<char**>(names), int(std::size(names)), False, atoms_.data());

    // Shared images only help where the server runs on this machine.
    char const* displayName = DisplayString(display);
    bool local = displayName && displayName[0] == ':';
    sharedMemory_ = local && XShmQueryExtension(display);
    int event = 0, error = 0, major = 0, minor = 0;
    keyTest_ = XTestQueryExtension(display, &event, &error, &major, &minor);
    // A held key then repeats its press alone, without a release in between.
    Bool detectable = False;
    XkbSetDetectableAutoRepeat(display, True, &detectable);
}

X11Connection::~X11Connection()
{
    XCloseDisplay(display_);
}

int X11Connection::FileDescriptor() const
{
    return ConnectionNumber(display_);
}

int X11Connection::Width() const
{
    return DisplayWidth(display_, screen_);
}

int X11Connection::Height() const
{
    return DisplayHeight(display_, screen_);
}

std::vector<long> X11Connection::Property32(XId window, X11Atom property, XId type, long count) const
{
    ::Atom actualType = 0;
    int format = 0;
    unsigned long items = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<long> values;
    if (XGetWindowProperty(display_, window, Atom(property), 0, count, False, type, &actualType, &format, &items,
            &remaining, &data)
            == Success
        && data && format == 32 && actualType == type) {
        // Xlib hands 32-bit items out as longs.
        auto const* longs = reinterpret_cast<long const*>(data);
        values.assign(longs, longs + items);
    }
    if (data)
        XFree(data);
    return values;
}

X11ErrorTrap::X11ErrorTrap(::Display* display)
    : display_(display)
{
    XSync(display_, False);
    g_trapActive = true;
    g_trapFailed = false;
}

// The requests since the last answer still fall under the trap; without any
// there is nothing to wait for.
X11ErrorTrap::~X11ErrorTrap()
{
    if (NextRequest(display_) != answeredUpTo_)
        XSync(display_, False);
    g_trapActive = false;
}

bool X11ErrorTrap::Failed()
{
    XSync(display_, False);
    answeredUpTo_ = NextRequest(display_);
    bool failed = g_trapFailed;
    g_trapFailed = false;
    return failed;
}

}
