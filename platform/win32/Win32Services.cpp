#include "platform/win32/Win32Services.h"

#include "platform/host/HostFileStream.h"
#include "platform/win32/WindowsApi.h"
#include "platform/win32/WindowsLocale.h"
#include "platform/win32/WindowsPaths.h"
#include "platform/win32/WindowsSystem.h"

#include <vector>

namespace platform {

std::unique_ptr<FileStream> Win32Services::OpenForReading(std::u16string_view path)
{
    return HostFileStream::Open(win32::HostPathOf(path));
}

std::optional<std::u16string> Win32Services::ProgramPath()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return std::nullopt;
        if (length < path.size())
            return win32::FromWide(std::wstring_view(path.data(), length));
        if (path.size() >= 32768)
            return std::nullopt;
        path.resize(path.size() * 2);
    }
}

uint32_t Win32Services::TickCount()
{
    return win32::WindowsTickCount();
}

SystemTime Win32Services::LocalTime()
{
    return win32::WindowsLocalTime();
}

LocaleData const& Win32Services::UserLocale()
{
    return win32::UserLocaleTable();
}

std::optional<std::u16string> Win32Services::FormatForUser(
    PictureKind kind, SystemTime const& time, std::optional<std::u16string_view> picture)
{
    return win32::FormatInLocale(LOCALE_USER_DEFAULT, kind, time, picture);
}

MemoryStatus Win32Services::QueryMemory()
{
    return win32::WindowsMemory();
}

bool Win32Services::QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total)
{
    std::wstring path = win32::SystemPathOf(folder);
    return win32::WindowsDiskFreeSpace(std::u16string(path.begin(), path.end()), available, total);
}

bool Win32Services::QueryPowerStatus(SystemPowerStatusEx2& status)
{
    return win32::WindowsPowerStatus(status);
}

// Desktop Windows has no "coredll.dll": its one call that the programs look
// up, the extended power status, is ours over the system's power status.
bool Win32Services::HasLibraryExport(std::u16string_view library, std::string_view name)
{
    std::u16string lower(library);
    for (char16_t& c : lower)
        c = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    return lower == u"coredll.dll" && (name.empty() || name == "GetSystemPowerStatusEx2");
}

}
