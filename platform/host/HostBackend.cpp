#include "platform/host/HostBackend.h"

#include "platform/Utf.h"
#include "platform/host/HostFileStream.h"
#include "platform/host/HostSystem.h"

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace platform {

HostBackend::HostBackend() = default;

std::unique_ptr<FileStream> HostBackend::OpenForReading(std::u16string_view path)
{
    return HostFileStream::Open(HostPathOf(path));
}

std::optional<std::u16string> HostBackend::ProgramPath()
{
    char buffer[4096];
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return std::nullopt;
    return FromUtf8(std::string_view(buffer, size_t(length)));
}

uint32_t HostBackend::TickCount()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint32_t(uint64_t(now.tv_sec) * 1000 + uint64_t(now.tv_nsec) / 1000000);
}

BoxResult HostBackend::MessageBox(WindowHandle, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    std::fprintf(stderr, "%s\n%s\n\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
    uint32_t buttons = flags & Box::ButtonMask;
    return buttons == Box::YesNo || buttons == Box::YesNoCancel ? BoxResult::No : BoxResult::Ok;
}

MemoryStatus HostBackend::QueryMemory()
{
    return HostMemory();
}

bool HostBackend::QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total)
{
    return HostDiskFreeSpace(HostPathOf(folder), available, total);
}

// The device's core library stands for the machine itself; its power call
// reports what the kernel knows about mains and batteries.
bool HostBackend::HasLibraryExport(std::u16string_view library, std::string_view name)
{
    return (library == u"coredll.dll" || library == u"COREDLL.DLL") && (name.empty() || name == "GetSystemPowerStatusEx2");
}

bool HostBackend::QueryPowerStatus(SystemPowerStatusEx2& status)
{
    return HostPowerStatus(status);
}

SystemTime HostBackend::LocalTime()
{
    return HostLocalTime();
}

LocaleData const& HostBackend::UserLocale()
{
    return HostLocale();
}

bool HostBackend::WaitForEvents(std::optional<uint32_t> deadline)
{
    // Without a display no input ever comes: only a timer can wake the loop.
    if (!deadline)
        return false;
    auto ahead = int32_t(*deadline - TickCount());
    if (ahead > 0) {
        timespec pause { ahead / 1000, (ahead % 1000) * 1000000L };
        nanosleep(&pause, nullptr);
    }
    return true;
}

}
