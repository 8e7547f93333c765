#pragma once

// How a single object is redrawn: Begin restores the panel background under
// it in the back buffer, End copies the area to the screen, either into the
// paint cycle in progress or straight into the window.

#include "platform/Drawing.h"

namespace panel {

class PanelWindow;
class ScratchBitmap;

class Painter {
public:
    Painter(platform::WindowHandle window, PanelWindow& panel) : window_(window), panel_(panel) { }
    virtual ~Painter() = default;
    virtual ScratchBitmap& Begin(platform::Rect const& rect);
    virtual void End(platform::Rect const& rect) = 0;

protected:
    void CopyTo(platform::DeviceContext dc, platform::Rect const& rect);
    platform::WindowHandle window_;
    PanelWindow& panel_;
};

class PaintPainter final : public Painter {
public:
    using Painter::Painter;
    void End(platform::Rect const& rect) override { CopyTo(paintContext, rect); }
    platform::DeviceContext paintContext;
};

class DirectPainter final : public Painter {
public:
    using Painter::Painter;
    void End(platform::Rect const& rect) override;
};

}
