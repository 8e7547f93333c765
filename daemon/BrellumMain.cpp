// The key-binding daemon's program entry: its icons, its window class and
// its one window, then the message loop.

#include "daemon/BrellumMain.h"

#include "daemon/DaemonIcons.h"
#include "daemon/DaemonWindow.h"
#include "platform/Drawing.h"
#include "platform/Windowing.h"

#include <string>

namespace brellum {

using namespace platform;

namespace {

constexpr int32_t kWindowWidth = 276;
constexpr int32_t kHeightBelowCaption = 68;

}

int32_t BrellumMain(std::u16string_view commandLine)
{
    RegisterDaemonIcons();
    WindowClass windowClass;
    windowClass.name = kDaemonClassName;
    windowClass.style = ClassStyle::VerticalRedraw | ClassStyle::HorizontalRedraw;
    windowClass.procedure = DaemonWindowProcedure;
    windowClass.windowExtraBytes = 4; // the window's state
    windowClass.backgroundBrush = GetStockBrush(StockBrush::LightGray);
    RegisterClass(windowClass);

    int32_t height = GetSystemMetrics(Metric::CaptionHeight) + kHeightBelowCaption;
    Rect workArea = GetWorkArea();
    int32_t x = (workArea.Width() - kWindowWidth) / 2;
    int32_t y = (workArea.Height() - height) / 2;
    // The window reads the file named here while it is being created.
    std::u16string parameter(commandLine);
    WindowHandle window = CreateWindowEx(0, kDaemonClassName, kDaemonTitle, Style::Caption | Style::SystemMenu, x, y,
        kWindowWidth, height, {}, {}, parameter.data());
    if (window)
        UpdateWindow(window);
    int32_t exitCode = RunMessageLoop();
    // Ended from outside (the device shuts down): the window still holds the
    // bindings, which go with it as they would when the window is closed.
    if (IsWindow(window))
        DestroyWindow(window);
    return exitCode;
}

}
