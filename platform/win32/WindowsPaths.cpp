#include "platform/win32/WindowsPaths.h"

#include "platform/Utf.h"
#include "platform/host/DeviceRootFolder.h"

namespace platform::win32 {

std::wstring SystemPathOf(std::u16string_view devicePath)
{
    std::u16string path(devicePath);
    bool const fromDeviceRoot = path.size() > 0 && path[0] == u'\\' && (path.size() == 1 || path[1] != u'\\');
    if (fromDeviceRoot && !DeviceRoot().empty())
        path = FromUtf8(DeviceRoot()) + path;
    return std::wstring(path.begin(), path.end());
}

std::string HostPathOf(std::u16string_view devicePath)
{
    std::wstring path = SystemPathOf(devicePath);
    return ToUtf8(std::u16string(path.begin(), path.end()));
}

}
