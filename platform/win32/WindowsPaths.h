#pragma once

// Where a device path lies on Windows. The device's paths are Windows paths
// already: \Windows\x.exe is that path on the current drive, unless the user
// gave a device root (--root), below which it then lies.

#include <string>
#include <string_view>

namespace platform::win32 {

std::wstring SystemPathOf(std::u16string_view devicePath);
// The same as UTF-8 text, as the host's file layer takes it.
std::string HostPathOf(std::u16string_view devicePath);

}
