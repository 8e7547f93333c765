#pragma once

// The Win32 API for the backend's files. The system's headers name their
// wide functions by macros (PostMessage for PostMessageW, ...) that would
// rename our window system's functions of the same names: they go, and the
// backend calls the wide functions by their own names.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <shellapi.h>

#undef CreateWindow
#undef CreateWindowEx
#undef DefWindowProc
#undef DispatchMessage
#undef DrawText
#undef GetMessage
#undef GetWindowLong
#undef GetWindowText
#undef LoadIcon
#undef MessageBox
#undef PostMessage
#undef RegisterClass
#undef SendMessage
#undef SetWindowLong
#undef SetWindowText
#undef ShellExecute

#include <string>
#include <string_view>

namespace platform::win32 {

// UTF-16 either way: wchar_t is two bytes on Windows.
inline std::wstring Wide(std::u16string_view text)
{
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(std::wstring_view text)
{
    return std::u16string(text.begin(), text.end());
}

}
