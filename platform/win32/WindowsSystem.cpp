#include "platform/win32/WindowsSystem.h"

#include <windows.h>

#include <algorithm>

namespace platform::win32 {

namespace {

uint32_t Clamp32(uint64_t value)
{
    return uint32_t(std::min<uint64_t>(value, UINT32_MAX));
}

// The device counts memory in 32 bits. A larger machine is shown as the
// largest such device, its part scaled alike, so that a bar keeps its fill.
void Fit32(uint64_t total, uint64_t part, uint32_t& fittedTotal, uint32_t& fittedPart)
{
    part = std::min(part, total);
    fittedTotal = Clamp32(total);
    // In long double: the product needs more than 64 bits, a fill no more than its precision.
    fittedPart = total <= UINT32_MAX ? uint32_t(part) : uint32_t((long double)part * UINT32_MAX / (long double)total);
}

}

uint32_t WindowsTickCount()
{
    return GetTickCount();
}

SystemTime WindowsLocalTime()
{
    SYSTEMTIME local {};
    GetLocalTime(&local);
    SystemTime time;
    time.year = local.wYear;
    time.month = local.wMonth;
    time.dayOfWeek = local.wDayOfWeek;
    time.day = local.wDay;
    time.hour = local.wHour;
    time.minute = local.wMinute;
    time.second = local.wSecond;
    time.milliseconds = local.wMilliseconds;
    return time;
}

MemoryStatus WindowsMemory()
{
    MemoryStatus status;
    MEMORYSTATUSEX memory {};
    memory.dwLength = sizeof memory;
    if (!GlobalMemoryStatusEx(&memory))
        return status;
    Fit32(memory.ullTotalPhys, memory.ullAvailPhys, status.totalPhysical, status.availablePhysical);
    Fit32(memory.ullTotalPageFile, memory.ullAvailPageFile, status.totalPageFile, status.availablePageFile);
    // A 64-bit process's address space is terabytes: it shows as full 32 bits.
    Fit32(memory.ullTotalVirtual, memory.ullAvailVirtual, status.totalVirtual, status.availableVirtual);
    status.memoryLoad = memory.dwMemoryLoad;
    return status;
}

bool WindowsDiskFreeSpace(std::u16string const& folder, uint64_t& available, uint64_t& total)
{
    std::wstring path(folder.begin(), folder.end());
    if (path.empty())
        path = L"\\";
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    ULARGE_INTEGER toCaller {};
    ULARGE_INTEGER bytes {};
    if (!GetDiskFreeSpaceExW(path.c_str(), &toCaller, &bytes, nullptr))
        return false;
    available = toCaller.QuadPart;
    total = bytes.QuadPart;
    return true;
}

bool WindowsPowerStatus(SystemPowerStatusEx2& status)
{
    SYSTEM_POWER_STATUS system {};
    if (!GetSystemPowerStatus(&system))
        return false;
    // The flags and the unknown values (255, 0xFFFFFFFF) are the same on both
    // systems; the device's backup battery and battery details stay unknown.
    status = {};
    status.ACLineStatus = system.ACLineStatus;
    status.BatteryFlag = system.BatteryFlag;
    status.BatteryLifePercent = system.BatteryLifePercent;
    status.BatteryLifeTime = system.BatteryLifeTime;
    status.BatteryFullLifeTime = system.BatteryFullLifeTime;
    return true;
}

}
