#include "platform/host/HostServices.h"

#include "platform/HostFilePath.h"
#include "platform/Utf.h"
#include "platform/host/HostFileStream.h"
#include "platform/host/HostSystem.h"

#include <ctime>
#include <unistd.h>

namespace platform {

std::unique_ptr<FileStream> HostServices::OpenForReading(std::u16string_view path)
{
    return HostFileStream::Open(HostPathOf(path));
}

std::u16string HostServices::UserPath(std::u16string_view path)
{
    return UserPathOfHostFile(HostPathOf(path));
}

std::optional<std::u16string> HostServices::ProgramPath()
{
    char buffer[4096];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return std::nullopt;
    return FromUtf8(std::string_view(buffer, size_t(length)));
}

uint32_t HostServices::TickCount()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint32_t(uint64_t(now.tv_sec) * 1000 + uint64_t(now.tv_nsec) / 1000000);
}

SystemTime HostServices::LocalTime()
{
    return HostLocalTime();
}

LocaleData const& HostServices::UserLocale()
{
    return HostLocale();
}

MemoryStatus HostServices::QueryMemory()
{
    return HostMemory();
}

bool HostServices::QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total)
{
    return HostDiskFreeSpace(HostPathOf(folder), available, total);
}

bool HostServices::QueryPowerStatus(SystemPowerStatusEx2& status)
{
    return HostPowerStatus(status);
}

// The device's core library stands for the machine itself; its power call
// reports what the kernel knows about mains and batteries.
bool HostServices::HasLibraryExport(std::u16string_view library, std::string_view name)
{
    return (library == u"coredll.dll" || library == u"COREDLL.DLL") && (name.empty() || name == "GetSystemPowerStatusEx2");
}

}
