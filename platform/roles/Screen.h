#pragma once

// The role of a backend's screen: where the windows' pictures are shown, where
// pen and key input comes from, and how the message loop waits for either.
// The screen feeds what arrives into the window system it was given.

#include "platform/Types.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform {

// The caption bar of a framed window, as the device draws it.
constexpr int32_t kCaptionHeight = 20;

class Screen {
public:
    virtual ~Screen() = default;

    // The whole screen and the part of it that windows may use.
    virtual Rect Bounds() const = 0;
    virtual Rect WorkArea() const = 0;
    virtual int32_t CaptionHeight() const { return kCaptionHeight; }

    // Shows what changed, then blocks until input arrives, a timer is due or
    // the tick `deadline` comes, and hands the input to the window system.
    // False: the run is over and no more will ever come (the loop then ends
    // as if asked to quit).
    virtual bool WaitForEvents(std::optional<uint32_t> deadline) = 0;

    // Files watched on disk for a window (platform/FileWatch.h); a screen
    // that cannot watch them says no.
    virtual bool WatchFiles(WindowHandle window, uint32_t message, WParam id, std::span<std::u16string const> paths)
    {
        (void)window;
        (void)message;
        (void)id;
        (void)paths;
        return false;
    }
};

}
