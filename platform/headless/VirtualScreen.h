#pragma once

// The simulated device's screen: its size from the settings, a taskbar along
// the bottom, input only from the script. Waiting moves the virtual clock on;
// when nothing more comes before the end of the run, the trace ends there.
// Its picture is composed from the windows' pictures when asked for.

#include "platform/draw/Surface.h"
#include "platform/headless/TraceWriter.h"
#include "platform/headless/VirtualClock.h"
#include "platform/roles/Screen.h"
#include "platform/window/WindowSystem.h"

#include <functional>
#include <string>

namespace platform {

class VirtualScreen final : public Screen {
public:
    static constexpr int32_t kTaskbarHeight = 26;

    VirtualScreen(int32_t width, int32_t height, WindowSystem& windows, VirtualClock& clock, TraceWriter& trace);

    Rect Bounds() const override { return { 0, 0, width_, height_ }; }
    Rect WorkArea() const override;
    bool WaitForEvents(std::optional<uint32_t> deadline) override;

    // A picture of the screen, written as the run ends (before the program
    // tears down its windows when it is stopped by the end of the run).
    void ShootAtEnd(std::string path) { endShot_ = std::move(path); }
    bool WriteShot(std::string const& path) const;
    // The same picture handed over as the run ends, for a page to show.
    void TakeAtEnd(std::function<void(Surface const&)> take) { endTake_ = std::move(take); }
    // The trace's last line is written: the picture of the end, if asked for.
    void RunClosed();

private:
    int32_t width_;
    int32_t height_;
    WindowSystem& windows_;
    VirtualClock& clock_;
    TraceWriter& trace_;
    std::string endShot_;
    std::function<void(Surface const&)> endTake_;
};

}
