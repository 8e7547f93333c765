#pragma once

// Keys beyond our own windows on Windows: keys taken system-wide with
// RegisterHotKey, which arrive as the system's hot-key message and go into
// the window system as a key going down; key events made with SendInput;
// the keyboard's state from GetAsyncKeyState; and the tray (Win32Tray).
// A message-only window of its own receives the hot keys and the tray's clicks.

#include "platform/roles/KeysAndTray.h"
#include "platform/win32/Win32Tray.h"
#include "platform/win32/WindowsApi.h"

#include <memory>

namespace platform {

class WindowSystem;

class Win32KeysAndTray final : public KeysAndTray {
public:
    explicit Win32KeysAndTray(WindowSystem& windows);
    ~Win32KeysAndTray() override;
    Win32KeysAndTray(Win32KeysAndTray const&) = delete;
    Win32KeysAndTray& operator=(Win32KeysAndTray const&) = delete;

    void SynthesizeKey(uint8_t virtualKey, uint32_t flags) override;
    bool GrabKey(uint32_t virtualKey, uint32_t modifiers, bool grab) override;
    bool KeyIsDown(uint32_t virtualKey) override;
    bool NotifyIcon(uint32_t message, NotifyIconData const& data) override;

private:
    static LRESULT CALLBACK Procedure(HWND id, UINT message, WPARAM wParam, LPARAM lParam);

    WindowSystem& windows_;
    HWND receiver_ = nullptr;
    std::unique_ptr<Win32Tray> tray_;
};

}
