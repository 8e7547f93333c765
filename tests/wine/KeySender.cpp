// Presses a key from inside Wine, as a user's keyboard would:
//   key_sender press VIRTUAL-KEY MILLISECONDS   the key down, held, then up
//   key_sender window TITLE                     a plain window that takes the
//                                               focus and stays until closed
// Keys pressed on the X server reach a key registered system-wide only
// while a Wine window has the focus; the window is that focus, the press
// goes around the X server altogether.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

bool Send(WORD key, bool down)
{
    INPUT input {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = WORD(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return SendInput(1, &input, sizeof input) == 1;
}

int Press(wchar_t const* keyText, wchar_t const* timeText)
{
    wchar_t* end = nullptr;
    unsigned long const key = std::wcstoul(keyText, &end, 0);
    if (*end || key == 0 || key > 0xFE)
        return 2;
    unsigned long const time = std::wcstoul(timeText, &end, 10);
    if (*end)
        return 2;
    if (!Send(WORD(key), true))
        return 1;
    Sleep(DWORD(time));
    return Send(WORD(key), false) ? 0 : 1;
}

LRESULT CALLBACK TargetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int ShowWindowUntilClosed(wchar_t const* title)
{
    WNDCLASSW windowClass {};
    windowClass.lpfnWndProc = TargetProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = L"KeySender.Target";
    if (!RegisterClassW(&windowClass))
        return 1;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, 400, 300, 160, 100, nullptr,
        nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

}

int main()
{
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    int result = 2;
    if (words && count == 4 && std::wstring(words[1]) == L"press")
        result = Press(words[2], words[3]);
    else if (words && count == 3 && std::wstring(words[1]) == L"window")
        result = ShowWindowUntilClosed(words[2]);
    LocalFree(words);
    return result;
}
