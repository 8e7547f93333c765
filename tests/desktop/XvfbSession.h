#pragma once

// A private X server for one test (Xvfb on a display number of its own), a
// connection to it to look at what the programs show, and the desktop tools
// that play the user: xdotool for pointer and keys, trayer as the tray,
// openbox as the window manager.

#include "tests/support/ChildProcess.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

struct _XDisplay;

namespace desktop_tests {

// The session starts its server and tray as child processes; the tests start the programs beside them.
using testing_support::ChildProcess;

using XId = unsigned long;

struct Geometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(Geometry const&) const = default;
};

// For test failures: "WxH+X+Y", as X tools write it.
inline void PrintTo(Geometry const& geometry, std::ostream* out)
{
    *out << geometry.width << "x" << geometry.height << "+" << geometry.x << "+" << geometry.y;
}

class XvfbSession {
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    // Whether the server also takes connections over TCP, as from another machine.
    enum class Network {
        LocalOnly,
        Tcp,
    };

    explicit XvfbSession(Network network = Network::LocalOnly);
    ~XvfbSession();

    bool Ready() const { return display_ != nullptr; }
    _XDisplay* Display() const { return display_; }
    // The display's number, as in ":N" or "localhost:N".
    std::string const& Number() const { return number_; }
    XId Root() const;

    void StartTray();
    void StopTray() { tray_.reset(); }
    // False when no window manager had taken the screen after a while.
    bool StartWindowManager();
    // The server goes away under the programs, as when a desktop session ends.
    void StopServer();
    // Top-level and embedded windows whose class name is `name`, mapped or not.
    std::vector<XId> WindowsOfClass(std::string const& name);
    Geometry GeometryOf(XId window);
    bool IsShown(XId window);
    XId ParentOf(XId window);
    std::string TitleOf(XId window);
    // A shown window of the class `name` for which `matches` holds, once there is one; 0 after `timeout`.
    XId WaitForWindow(std::string const& name, std::function<bool(XId)> const& matches,
        std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // The items of a window's property of 32-bit items, whatever its type; none without it.
    std::vector<long> Property(XId window, std::string const& name);
    // The screen's pixels in `area`, rows from the top, 0x00RRGGBB.
    std::vector<uint32_t> Capture(Geometry area);

    // Asks `done` every few milliseconds until it holds or `timeout` passes.
    static bool WaitUntil(std::function<bool()> const& done, std::chrono::milliseconds timeout = std::chrono::seconds(10));

    int Xdotool(std::vector<std::string> const& arguments);

private:
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> tray_;
    std::unique_ptr<ChildProcess> windowManager_;
    _XDisplay* display_ = nullptr;
    std::string number_;
};

}
