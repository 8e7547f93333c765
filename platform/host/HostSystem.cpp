#include "platform/host/HostSystem.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>

namespace platform {

static uint32_t Clamp32(uint64_t value)
{
    return uint32_t(std::min<uint64_t>(value, UINT32_MAX));
}

MemoryStatus HostMemory()
{
    MemoryStatus status;
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return status;
    uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    status.totalPhysical = Clamp32(uint64_t(info.totalram) * unit);
    status.availablePhysical = Clamp32((uint64_t(info.freeram) + info.bufferram) * unit);
    status.totalPageFile = Clamp32(uint64_t(info.totalswap) * unit);
    status.availablePageFile = Clamp32(uint64_t(info.freeswap) * unit);
    // A process's address space on the device is 32 MB; the host's has no such bound to show.
    status.totalVirtual = status.totalPhysical;
    status.availableVirtual = status.availablePhysical;
    if (info.totalram > 0)
        status.memoryLoad = uint32_t(100 - (uint64_t(info.freeram) + info.bufferram) * 100 / info.totalram);
    return status;
}

bool HostDiskFreeSpace(std::string const& folder, uint64_t& available, uint64_t& total)
{
    struct statvfs info {};
    std::string path = folder.empty() ? std::string("/") : folder;
    if (!std::filesystem::is_directory(path) || statvfs(path.c_str(), &info) != 0)
        return false;
    available = uint64_t(info.f_bavail) * info.f_frsize;
    total = uint64_t(info.f_blocks) * info.f_frsize;
    return true;
}

static std::string ReadWord(std::filesystem::path const& file)
{
    std::ifstream in(file);
    std::string word;
    in >> word;
    return word;
}

bool HostPowerStatus(SystemPowerStatusEx2& status)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::directory_iterator supplies("/sys/class/power_supply", error);
    if (error)
        return false;
    status = {};
    status.BatteryFlag = 128; // no battery until one is found
    status.BatteryLifePercent = 255;
    bool found = false;
    for (auto const& supply : supplies) {
        std::string type = ReadWord(supply.path() / "type");
        if (type == "Mains") {
            found = true;
            status.ACLineStatus = ReadWord(supply.path() / "online") == "1" ? 1 : 0;
        } else if (type == "Battery") {
            found = true;
            int percent = std::atoi(ReadWord(supply.path() / "capacity").c_str());
            status.BatteryLifePercent = uint8_t(std::clamp(percent, 0, 100));
            status.BatteryFlag = percent > 66 ? 1 : percent > 33 ? 0 : percent > 5 ? 2 : 4;
            if (ReadWord(supply.path() / "status") == "Charging")
                status.BatteryFlag |= 8;
            status.BatteryVoltage = uint32_t(std::atol(ReadWord(supply.path() / "voltage_now").c_str()) / 1000);
        }
    }
    return found;
}

SystemTime HostLocalTime()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::tm local {};
    localtime_r(&now.tv_sec, &local);
    SystemTime time;
    time.year = uint16_t(local.tm_year + 1900);
    time.month = uint16_t(local.tm_mon + 1);
    time.dayOfWeek = uint16_t(local.tm_wday);
    time.day = uint16_t(local.tm_mday);
    time.hour = uint16_t(local.tm_hour);
    time.minute = uint16_t(local.tm_min);
    time.second = uint16_t(local.tm_sec);
    time.milliseconds = uint16_t(now.tv_nsec / 1000000);
    return time;
}

LocaleData const& HostLocale()
{
    for (char const* variable : { "LC_ALL", "LC_TIME", "LANG" }) {
        char const* value = std::getenv(variable);
        if (value && *value)
            return *LocaleNamed(std::string_view(value).substr(0, 2) == "de" ? "de-DE" : "en-US");
    }
    return *LocaleNamed("en-US");
}

}
