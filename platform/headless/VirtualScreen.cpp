#include "platform/headless/VirtualScreen.h"

#include "platform/headless/ScreenPicture.h"

#include <algorithm>
#include <cstdio>

namespace platform {

VirtualScreen::VirtualScreen(int32_t width, int32_t height, WindowSystem& windows, VirtualClock& clock, TraceWriter& trace)
    : width_(width)
    , height_(height)
    , windows_(windows)
    , clock_(clock)
    , trace_(trace)
{
}

Rect VirtualScreen::WorkArea() const
{
    return { 0, 0, width_, std::max(height_ - kTaskbarHeight, 0) };
}

bool VirtualScreen::WaitForEvents(std::optional<uint32_t> deadline)
{
    if (trace_.Closed())
        return false;
    if (clock_.Advance(deadline))
        return true;
    trace_.End();
    RunClosed();
    return false;
}

void VirtualScreen::RunClosed()
{
    if (!endShot_.empty())
        WriteShot(endShot_);
    if (endTake_)
        endTake_(ComposeScreen(windows_, Bounds()));
}

bool VirtualScreen::WriteShot(std::string const& path) const
{
    if (WritePng(ComposeScreen(windows_, Bounds()), path))
        return true;
    std::fprintf(stderr, "cesim: cannot write the picture '%s'\n", path.c_str());
    return false;
}

}
