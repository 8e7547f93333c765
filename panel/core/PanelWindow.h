#pragma once

// The running state of one panel window: the layout it was opened with, the
// back buffer that always holds the whole picture, the background, the
// pressed object, and the animations in effect and in progress. The window
// owns it through its extra storage, and PanelWindowProcedure drives it; the
// program owns the window.

#include "panel/core/GlobalSettings.h"
#include "panel/displays/ScratchBitmap.h"

#include <memory>

namespace panel {

class PanelProgram;

class PanelWindow {
public:
    PanelWindow(platform::WindowHandle window, PanelProgram& program, std::unique_ptr<GlobalSettings> layout);
    ~PanelWindow();
    PanelWindow(PanelWindow const&) = delete;
    PanelWindow& operator=(PanelWindow const&) = delete;

    // The background colour or picture, back in the back buffer within `rect`.
    void RestoreBackground(platform::Rect const& rect);
    // Redraws the object over its background in the back buffer and copies
    // the area to `dc`.
    void RedrawObject(DesktopObject& object, platform::DeviceContext dc);
    void DrawAllObjects(ScratchBitmap& surface);
    void UpdateDueObjects(platform::DeviceContext dc);
    // Pen input in client coordinates; a redrawn object is copied to `dc`.
    void PressAt(int32_t x, int32_t y, platform::DeviceContext dc);
    void ReleaseAt(int32_t x, int32_t y, platform::DeviceContext dc);

    platform::WindowHandle const window;
    PanelProgram& program;
    std::unique_ptr<GlobalSettings> settings;
    int32_t windowWidth = 0;
    int32_t windowHeight = 0;
    platform::BrushHandle backgroundBrush;
    std::unique_ptr<ScratchBitmap> backgroundImage;
    bool fullRedraw = false;
    bool refreshDue = false;
    std::unique_ptr<ScratchBitmap> backBuffer;
    // Between press and release; the release goes to it wherever the pen is.
    DesktopObject* pressedObject = nullptr;
    // The layout's own animations, until a layout switch chooses others.
    int32_t openingAnimation;
    int32_t closingAnimation;
    uint32_t animationTime;
    uint32_t animationStart = 0;
    bool animating = false;
    // Its closing animation runs: it ends with it, whatever comes meanwhile.
    bool closing = false;
    bool quitWhenClosed = true;
    int32_t exitCode = 0;
};

// The panel window's state, from its extra storage; null before creation ends.
PanelWindow* PanelOf(platform::WindowHandle window);

}
