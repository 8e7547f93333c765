#include "platform/Windowing.h"

#include "platform/Backend.h"
#include "platform/Drawing.h"
#include "platform/Keys.h"

namespace platform {

static WindowSystem& Windows()
{
    return CurrentBackend().Windows();
}

bool RegisterClass(WindowClass const& windowClass)
{
    return Windows().RegisterClass(windowClass);
}

WindowHandle CreateWindowEx(uint32_t exStyle, std::u16string_view className, std::u16string_view title, uint32_t style,
    int32_t x, int32_t y, int32_t width, int32_t height, WindowHandle parent, InstanceHandle instance, void* parameter)
{
    return Windows().CreateWindow(exStyle, className, title, style, Rect::FromSize(x, y, width, height), parent, instance, parameter);
}

bool DestroyWindow(WindowHandle window)
{
    return Windows().DestroyWindow(window);
}

bool IsWindow(WindowHandle window)
{
    return Windows().IsWindow(window);
}

bool IsWindowVisible(WindowHandle window)
{
    Window const* w = Windows().Find(window);
    return w && w->visible;
}

bool ShowWindow(WindowHandle window, int32_t show)
{
    return Windows().ShowWindow(window, show);
}

bool UpdateWindow(WindowHandle window)
{
    Window const* w = Windows().Find(window);
    if (!w)
        return false;
    if (w->visible && w->invalid)
        SendMessage(window, Msg::Paint, 0, 0);
    return true;
}

bool SetWindowPos(WindowHandle window, InsertAfter after, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags)
{
    return Windows().SetWindowPos(window, after, Rect::FromSize(x, y, width, height), flags);
}

bool MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height)
{
    return SetWindowPos(window, {}, x, y, width, height, PosFlag::NoZOrder | PosFlag::NoActivate);
}

bool SetWindowText(WindowHandle window, std::u16string_view title)
{
    return Windows().SetTitle(window, title);
}

std::u16string GetWindowText(WindowHandle window)
{
    Window const* w = Windows().Find(window);
    return w ? w->title : std::u16string();
}

Rect GetWindowRect(WindowHandle window)
{
    Window const* w = Windows().Find(window);
    return w ? w->rect : Rect {};
}

Rect GetClientRect(WindowHandle window)
{
    return Windows().ClientRect(window);
}

intptr_t GetWindowLong(WindowHandle window, int32_t byteIndex)
{
    return Windows().GetExtra(window, byteIndex);
}

intptr_t SetWindowLong(WindowHandle window, int32_t byteIndex, intptr_t value)
{
    return Windows().SetExtra(window, byteIndex, value);
}

bool SetForegroundWindow(WindowHandle window)
{
    return Windows().SetForegroundWindow(window);
}

LResult SendMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    return Windows().SendMessage(window, message, wParam, lParam);
}

bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    return Windows().PostMessage(window, message, wParam, lParam);
}

void PostQuitMessage(int32_t exitCode)
{
    Windows().PostQuitMessage(exitCode);
}

bool GetMessage(Message& message)
{
    return Windows().GetMessage(message);
}

bool TranslateMessage(Message const&)
{
    // No character messages: the programs read only key codes.
    return false;
}

LResult DispatchMessage(Message const& message)
{
    return Windows().DispatchMessage(message);
}

LResult DefWindowProc(WindowHandle window, uint32_t message, WParam wParam, LParam)
{
    switch (message) {
    case Msg::Close:
        DestroyWindow(window);
        break;
    case Msg::Paint: {
        PaintStruct paint;
        BeginPaint(window, paint);
        EndPaint(window, paint);
        break;
    }
    case Msg::EraseBackground: {
        Window const* w = Windows().Find(window);
        BrushHandle brush = w ? w->windowClass->backgroundBrush : BrushHandle {};
        if (!brush)
            return 0;
        FillRect(DeviceContext { uint32_t(wParam) }, GetClientRect(window), brush);
        return 1;
    }
    default:
        break;
    }
    return 0;
}

int32_t RunMessageLoop()
{
    Message message;
    while (GetMessage(message)) {
        TranslateMessage(message);
        DispatchMessage(message);
    }
    return int32_t(uint32_t(message.wParam));
}

uintptr_t SetTimer(WindowHandle window, uintptr_t id, uint32_t period)
{
    return Windows().SetTimer(window, id, period);
}

bool KillTimer(WindowHandle window, uintptr_t id)
{
    return Windows().KillTimer(window, id);
}

WindowHandle SetCapture(WindowHandle window)
{
    return Windows().SetCapture(window);
}

bool ReleaseCapture()
{
    return Windows().ReleaseCapture();
}

WindowHandle GetCapture()
{
    return Windows().Capture();
}

int32_t GetSystemMetrics(int32_t index)
{
    Screen& screen = CurrentBackend().Screen();
    switch (index) {
    case Metric::ScreenWidth:
        return screen.Bounds().Width();
    case Metric::ScreenHeight:
        return screen.Bounds().Height();
    case Metric::CaptionHeight:
        return screen.CaptionHeight();
    default:
        return 0;
    }
}

Rect GetWorkArea()
{
    return CurrentBackend().Screen().WorkArea();
}

uint16_t GetAsyncKeyState(uint32_t virtualKey)
{
    return CurrentBackend().Keys().KeyIsDown(virtualKey) ? kKeyIsDown : 0;
}

}
