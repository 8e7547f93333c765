#pragma once

// Windows, messages and timers, as the programs call them.

#include "platform/Types.h"
#include "platform/window/Messages.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/WindowClass.h"
#include "platform/window/WindowSystem.h"

#include <string>
#include <string_view>

namespace platform {

bool RegisterClass(WindowClass const& windowClass);
// The creation message carries CreateParameters; a procedure that answers it
// with -1 refuses the window, which is then destroyed and none is returned.
WindowHandle CreateWindowEx(uint32_t exStyle, std::u16string_view className, std::u16string_view title, uint32_t style,
    int32_t x, int32_t y, int32_t width, int32_t height, WindowHandle parent, InstanceHandle instance, void* parameter);
bool DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);
bool IsWindowVisible(WindowHandle window);
bool ShowWindow(WindowHandle window, int32_t show);
bool UpdateWindow(WindowHandle window);
bool SetWindowPos(WindowHandle window, InsertAfter after, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t flags);
bool MoveWindow(WindowHandle window, int32_t x, int32_t y, int32_t width, int32_t height);
bool SetWindowText(WindowHandle window, std::u16string_view title);
std::u16string GetWindowText(WindowHandle window);
Rect GetWindowRect(WindowHandle window);
Rect GetClientRect(WindowHandle window);
intptr_t GetWindowLong(WindowHandle window, int32_t byteIndex);
intptr_t SetWindowLong(WindowHandle window, int32_t byteIndex, intptr_t value);
bool SetForegroundWindow(WindowHandle window);

LResult SendMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
bool PostMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
void PostQuitMessage(int32_t exitCode);
bool GetMessage(Message& message);
bool TranslateMessage(Message const& message);
LResult DispatchMessage(Message const& message);
LResult DefWindowProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
// Get, translate and dispatch until the quit message; returns its exit code.
int32_t RunMessageLoop();

uintptr_t SetTimer(WindowHandle window, uintptr_t id, uint32_t period);
bool KillTimer(WindowHandle window, uintptr_t id);

WindowHandle SetCapture(WindowHandle window);
bool ReleaseCapture();
WindowHandle GetCapture();

int32_t GetSystemMetrics(int32_t index);
Rect GetWorkArea();
// Bit 15 set while the key is down.
uint16_t GetAsyncKeyState(uint32_t virtualKey);

}
