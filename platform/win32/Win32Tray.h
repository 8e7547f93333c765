#pragma once

// Our icons in the task bar's notification area through Shell_NotifyIconW:
// each icon's picture made into a system icon with CreateIconIndirect, of
// which the shell keeps a copy; its clicks come back to the given window as
// the callback message, with the mouse message as its second parameter.

#include "platform/Tray.h"
#include "platform/win32/WindowsApi.h"

#include <vector>

namespace platform {

class WindowSystem;

class Win32Tray {
public:
    // The system tells `receiver` of clicks with `message` (see Clicked).
    Win32Tray(WindowSystem& windows, HWND receiver, UINT message);
    ~Win32Tray();
    Win32Tray(Win32Tray const&) = delete;
    Win32Tray& operator=(Win32Tray const&) = delete;

    bool Notify(uint32_t message, NotifyIconData const& data);
    // The system's notification of a click on icon `number`.
    void Clicked(WPARAM number, LPARAM mouseMessage);

private:
    struct Icon {
        WindowHandle owner;
        uint32_t id = 0;
        UINT number = 0;
        uint32_t callbackMessage = 0;
    };
    Icon* Find(WindowHandle owner, uint32_t id);
    void Forget(Icon const& icon);

    WindowSystem& windows_;
    HWND receiver_;
    UINT message_;
    UINT nextNumber_ = 1;
    std::vector<Icon> icons_;
};

}
