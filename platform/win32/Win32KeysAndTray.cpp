#include "platform/win32/Win32KeysAndTray.h"

#include "platform/Keys.h"
#include "platform/host/ProgramName.h"
#include "platform/window/WindowSystem.h"

#include <cstdio>
#include <string>

namespace platform {

namespace {

constexpr wchar_t kReceiverClass[] = L"VessarineKeys";
constexpr UINT kTrayClick = WM_APP + 2;

// One registration per key and modifiers; the system's identifiers for
// applications lie below 0xC000.
int RegistrationOf(uint32_t virtualKey, uint32_t modifiers)
{
    return int((virtualKey & 0xFF) | ((modifiers & 0xF) << 8));
}

// The key's name as the keyboard's layout gives it, for the user.
std::string KeyName(uint32_t virtualKey)
{
    wchar_t name[64] = {};
    LONG scanCode = LONG(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    int length = GetKeyNameTextW(scanCode << 16, name, 64);
    std::string text;
    for (int i = 0; i < length; ++i)
        text += name[i] < 0x80 ? char(name[i]) : '?';
    return text.empty() ? "?" : text;
}

}

Win32KeysAndTray::Win32KeysAndTray(WindowSystem& windows)
    : windows_(windows)
{
    WNDCLASSEXW receiverClass {};
    receiverClass.cbSize = sizeof receiverClass;
    receiverClass.lpfnWndProc = Procedure;
    receiverClass.hInstance = GetModuleHandleW(nullptr);
    receiverClass.lpszClassName = kReceiverClass;
    RegisterClassExW(&receiverClass);
    receiver_ = CreateWindowExW(0, kReceiverClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this);
    tray_ = std::make_unique<Win32Tray>(windows_, receiver_, kTrayClick);
}

Win32KeysAndTray::~Win32KeysAndTray()
{
    tray_.reset();
    if (receiver_)
        DestroyWindow(receiver_);
}

LRESULT CALLBACK Win32KeysAndTray::Procedure(HWND id, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* creation = reinterpret_cast<CREATESTRUCTW const*>(lParam);
        SetWindowLongPtrW(id, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* keys = reinterpret_cast<Win32KeysAndTray*>(GetWindowLongPtrW(id, GWLP_USERDATA));
    if (keys && message == WM_HOTKEY) {
        keys->windows_.Key(HIWORD(lParam), true);
        return 0;
    }
    if (keys && message == kTrayClick) {
        keys->tray_->Clicked(wParam, lParam);
        return 0;
    }
    return DefWindowProcW(id, message, wParam, lParam);
}

void Win32KeysAndTray::SynthesizeKey(uint8_t virtualKey, uint32_t flags)
{
    INPUT input {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = WORD(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (flags & kKeyEventKeyUp) ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

// Our modifier bits are the system's (MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN).
bool Win32KeysAndTray::GrabKey(uint32_t virtualKey, uint32_t modifiers, bool grab)
{
    int const registration = RegistrationOf(virtualKey, modifiers);
    if (!grab)
        return UnregisterHotKey(receiver_, registration) != FALSE;
    if (RegisterHotKey(receiver_, registration, UINT(modifiers & 0xF), UINT(virtualKey)))
        return true;
    // Another program holds the key: say so, or the binding would just never react.
    std::fprintf(stderr, "%s: Die Taste %u (%s) ist von einem anderen Programm belegt und wird nicht registriert.\n",
        ProgramName().c_str(), unsigned(virtualKey), KeyName(virtualKey).c_str());
    return false;
}

bool Win32KeysAndTray::KeyIsDown(uint32_t virtualKey)
{
    return (uint16_t(GetAsyncKeyState(int(virtualKey))) & kKeyIsDown) != 0;
}

bool Win32KeysAndTray::NotifyIcon(uint32_t message, NotifyIconData const& data)
{
    return tray_->Notify(message, data);
}

}
