#include "tests/desktop/XvfbSession.h"

#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <thread>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace desktop_tests {

using testing_support::RunTool;

namespace {

int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;
}

// Xvfb writes the display number it chose to `-displayfd`; a fresh number per test.
std::string ReadDisplayNumber(int fd)
{
    std::string number;
    pollfd ready { fd, POLLIN, 0 };
    while (poll(&ready, 1, 10000) > 0) {
        char c = 0;
        if (read(fd, &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    return number;
}

}

XvfbSession::XvfbSession(Network network)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return;
    server_ = std::make_unique<ChildProcess>("Xvfb", std::vector<std::string> { "-displayfd", std::to_string(pipeEnds[1]),
        "-screen", "0", std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24",
        network == Network::Tcp ? "-listen" : "-nolisten", "tcp" });
    close(pipeEnds[1]);
    number_ = ReadDisplayNumber(pipeEnds[0]);
    close(pipeEnds[0]);
    if (number_.empty())
        return;
    std::string name = ":" + number_;
    setenv("DISPLAY", name.c_str(), 1);
    XSetErrorHandler(IgnoreErrors);
    display_ = XOpenDisplay(name.c_str());
}

XvfbSession::~XvfbSession()
{
    StopServer();
    unsetenv("DISPLAY");
}

void XvfbSession::StopServer()
{
    tray_.reset();
    windowManager_.reset();
    if (display_)
        XCloseDisplay(display_);
    display_ = nullptr;
    server_.reset();
}

XId XvfbSession::Root() const
{
    return DefaultRootWindow(display_);
}

void XvfbSession::StartTray()
{
    tray_ = std::make_unique<ChildProcess>("trayer", std::vector<std::string> { "--edge", "bottom", "--align", "right",
        "--widthtype", "pixel", "--width", "120", "--heighttype", "pixel", "--height", "24", "--transparent", "false" });
}

// A window manager that runs announces itself on the root window.
bool XvfbSession::StartWindowManager()
{
    windowManager_ = std::make_unique<ChildProcess>("openbox", std::vector<std::string> { "--sm-disable" },
        testing_support::ErrorOutput::Discarded);
    return WaitUntil([this] { return !Property(Root(), "_NET_SUPPORTING_WM_CHECK").empty(); });
}

std::vector<XId> XvfbSession::WindowsOfClass(std::string const& name)
{
    std::vector<XId> found;
    std::function<void(::Window)> visit = [&](::Window window) {
        XClassHint hint {};
        if (XGetClassHint(display_, window, &hint)) {
            if (hint.res_name && name == hint.res_name)
                found.push_back(window);
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        ::Window root = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display_, window, &root, &parent, &children, &count)) {
            for (unsigned i = 0; i < count; ++i)
                visit(children[i]);
            XFree(children);
        }
    };
    visit(Root());
    return found;
}

Geometry XvfbSession::GeometryOf(XId window)
{
    XWindowAttributes attributes {};
    if (!XGetWindowAttributes(display_, window, &attributes))
        return {};
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(display_, window, Root(), 0, 0, &x, &y, &child);
    return { x, y, attributes.width, attributes.height };
}

bool XvfbSession::IsShown(XId window)
{
    XWindowAttributes attributes {};
    return XGetWindowAttributes(display_, window, &attributes) && attributes.map_state == IsViewable;
}

XId XvfbSession::ParentOf(XId window)
{
    ::Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count))
        return 0;
    if (children)
        XFree(children);
    return parent;
}

std::string XvfbSession::TitleOf(XId window)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::string title;
    Atom name = XInternAtom(display_, "_NET_WM_NAME", False);
    if (XGetWindowProperty(display_, window, name, 0, 1024, False, AnyPropertyType, &type, &format, &count, &remaining, &data)
            == Success
        && data) {
        title.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return title;
}

XId XvfbSession::WaitForWindow(std::string const& name, std::function<bool(XId)> const& matches,
    std::chrono::milliseconds timeout)
{
    XId found = 0;
    WaitUntil([&] {
        for (XId window : WindowsOfClass(name)) {
            if (IsShown(window) && matches(window))
                found = window;
        }
        return found != 0;
    }, timeout);
    return found;
}

std::vector<long> XvfbSession::Property(XId window, std::string const& name)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    std::vector<long> items;
    Atom property = XInternAtom(display_, name.c_str(), False);
    if (XGetWindowProperty(display_, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
            &remaining, &data)
            == Success
        && data && format == 32) {
        auto const* values = reinterpret_cast<long const*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

std::vector<uint32_t> XvfbSession::Capture(Geometry area)
{
    std::vector<uint32_t> pixels;
    XImage* image = XGetImage(display_, Root(), area.x, area.y, unsigned(area.width), unsigned(area.height), AllPlanes, ZPixmap);
    if (!image)
        return pixels;
    pixels.reserve(size_t(area.width) * size_t(area.height));
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x)
            pixels.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
    }
    XDestroyImage(image);
    return pixels;
}

bool XvfbSession::WaitUntil(std::function<bool()> const& done, std::chrono::milliseconds timeout)
{
    auto end = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

int XvfbSession::Xdotool(std::vector<std::string> const& arguments)
{
    return RunTool("xdotool", arguments);
}

}
