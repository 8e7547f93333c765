#include "tests/desktop/DaemonFixture.h"

#include "platform/Utf.h"

#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include <X11/Xlib.h>

namespace desktop_tests {

std::string DaemonFixture::ReadText(std::string const& name)
{
    std::ifstream file(Marker(name));
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::u16string DaemonFixture::Binding(int keyCode, std::string const& marker)
{
    std::string script = "mark-" + marker + ".sh";
    device.WriteBytes(script, "#!/bin/sh\necho pressed > \"" + Marker(marker) + "\"\n");
    chmod(Marker(script).c_str(), 0755);
    return u"BRELLUM\r\nKeyCode=" + platform::FromUtf8(std::to_string(keyCode)) + u"\r\nCommand="
        + platform::FromUtf8(Marker(script)) + u"\r\n\r\n";
}

std::u16string DaemonFixture::BindingFile(std::u16string const& bindings)
{
    return bindings + u"SETTINGS\r\nElapseTime=300\r\nElapseTimeLong=3000\r\n";
}

std::unique_ptr<ChildProcess> DaemonFixture::StartDaemon(std::u16string const& bindings, std::vector<std::string> options,
    std::string const& name, std::string const& errors)
{
    device.WriteUtf16(name, BindingFile(bindings));
    options.push_back(Marker(name));
    return StartProgram(BRELLUM_PATH, { .arguments = options, .errorFile = errors.empty() ? "" : Marker(errors) });
}

XId DaemonFixture::DaemonWindow()
{
    XId found = 0;
    XvfbSession::WaitUntil([&] {
        for (XId window : x.WindowsOfClass("brellum")) {
            if (x.TitleOf(window).starts_with("Brellum"))
                found = window;
        }
        return found != 0;
    });
    return found;
}

std::vector<XId> DaemonFixture::DaemonWindowsTitled(std::string const& title)
{
    std::vector<XId> windows;
    for (XId window : x.WindowsOfClass("brellum")) {
        if (x.TitleOf(window) == title)
            windows.push_back(window);
    }
    return windows;
}

XId DaemonFixture::DockedIcon(XId window)
{
    for (XId candidate : x.WindowsOfClass("brellum")) {
        if (candidate != window && x.ParentOf(candidate) != x.Root() && x.IsShown(candidate))
            return candidate;
    }
    return 0;
}

void DaemonFixture::ClickAt(int screenX, int screenY)
{
    x.Xdotool({ "mousemove", std::to_string(screenX), std::to_string(screenY), "click", "1" });
}

void DaemonFixture::HoldKey(char const* key, std::chrono::milliseconds time)
{
    x.Xdotool({ "keydown", key, "sleep", std::to_string(double(time.count()) / 1000.0), "keyup", key });
}

XId DaemonFixture::FocusedWindow()
{
    Display* display = x.Display();
    XId window = XCreateSimpleWindow(display, x.Root(), 300, 300, 100, 60, 0, 0, 0xFFFFFF);
    XSelectInput(display, window, KeyPressMask);
    XMapWindow(display, window);
    XSync(display, False);
    XvfbSession::WaitUntil([&] { return x.IsShown(window); });
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    return window;
}

int DaemonFixture::KeyPressesIn(XId window)
{
    int presses = 0;
    XEvent event;
    while (XCheckTypedWindowEvent(x.Display(), window, KeyPress, &event))
        ++presses;
    return presses;
}

}
