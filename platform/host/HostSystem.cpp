#include "platform/host/HostSystem.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <string_view>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <sys/sysinfo.h>
#include <unistd.h>

namespace platform {

static uint32_t Clamp32(uint64_t value)
{
    return uint32_t(std::min<uint64_t>(value, UINT32_MAX));
}

// The text of one of the kernel's small files (its first 64 KB); empty when it cannot be read.
static std::string ReadKernelFile(char const* file)
{
    std::string text;
    int descriptor = open(file, O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return text;
    char buffer[4096];
    while (text.size() < 65536) {
        ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        text.append(buffer, size_t(got));
    }
    close(descriptor);
    return text;
}

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The first word of `text` from `at` on, and where it ends.
static std::string_view WordAt(std::string_view text, size_t& at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    size_t start = at;
    while (at < text.size() && !IsBlank(text[at]))
        ++at;
    return text.substr(start, at - start);
}

// A field of /proc/meminfo or /proc/self/status in bytes; 0 when absent.
static uint64_t KernelBytes(char const* file, std::string const& field)
{
    std::string const text = ReadKernelFile(file);
    std::string const name = field + ":";
    size_t at = 0;
    for (;;) {
        std::string_view word = WordAt(text, at);
        if (word.empty())
            return 0;
        if (word == name) {
            std::string const number(WordAt(text, at));
            char* end = nullptr;
            errno = 0;
            uint64_t kilobytes = std::strtoull(number.c_str(), &end, 10);
            bool read = !number.empty() && *end == '\0' && errno == 0 && number[0] != '-';
            return read ? kilobytes * 1024 : 0;
        }
        size_t lineEnd = text.find('\n', at);
        if (lineEnd == std::string::npos)
            return 0;
        at = lineEnd + 1;
    }
}

// The device counts memory in 32 bits. A larger machine is shown as the
// largest such device, its part scaled alike, so that a bar keeps its fill.
static void Fit32(uint64_t total, uint64_t part, uint32_t& fittedTotal, uint32_t& fittedPart)
{
    part = std::min(part, total);
    fittedTotal = Clamp32(total);
    // In long double: the product needs more than 64 bits, a fill no more than its precision.
    fittedPart = total <= UINT32_MAX ? uint32_t(part) : uint32_t((long double)part * UINT32_MAX / (long double)total);
}

MemoryStatus HostMemory()
{
    MemoryStatus status;
    struct sysinfo info {};
    if (sysinfo(&info) != 0)
        return status;
    uint64_t unit = info.mem_unit ? info.mem_unit : 1;
    uint64_t total = uint64_t(info.totalram) * unit;
    // What the kernel can give without swapping, page cache included.
    uint64_t available = KernelBytes("/proc/meminfo", "MemAvailable");
    if (available == 0)
        available = (uint64_t(info.freeram) + info.bufferram) * unit;
    Fit32(total, available, status.totalPhysical, status.availablePhysical);
    Fit32(uint64_t(info.totalswap) * unit, uint64_t(info.freeswap) * unit, status.totalPageFile, status.availablePageFile);
    // The process's address space: what it may map, less what it has mapped.
    rlimit limit {};
    uint64_t space = getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY ? limit.rlim_cur : UINT64_MAX;
    uint64_t mapped = KernelBytes("/proc/self/status", "VmSize");
    status.totalVirtual = Clamp32(space);
    status.availableVirtual = status.totalVirtual - uint32_t(std::min<uint64_t>(mapped, status.totalVirtual));
    if (total > 0)
        status.memoryLoad = uint32_t(100 - std::min(available, total) * 100 / total);
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
    std::string const text = ReadKernelFile(file.c_str());
    size_t at = 0;
    return std::string(WordAt(text, at));
}

static long ReadNumber(std::filesystem::path const& file, long absent)
{
    std::string word = ReadWord(file);
    return word.empty() ? absent : std::atol(word.c_str());
}

// The charge in percent from whichever files the battery's driver offers; -1 when none.
static int BatteryPercent(std::filesystem::path const& battery)
{
    long capacity = ReadNumber(battery / "capacity", -1);
    if (capacity >= 0)
        return int(std::min(capacity, 100L));
    for (auto [now, full] : { std::pair { "energy_now", "energy_full" }, std::pair { "charge_now", "charge_full" } }) {
        long have = ReadNumber(battery / now, -1);
        long most = ReadNumber(battery / full, 0);
        if (have >= 0 && most > 0)
            return int(std::min(have * 100 / most, 100L));
    }
    return -1;
}

bool HostPowerStatus(SystemPowerStatusEx2& status, std::string const& folder)
{
    namespace fs = std::filesystem;
    // Without a battery the machine runs on mains, as a device in its cradle would.
    status = {};
    status.ACLineStatus = 1;
    status.BatteryFlag = 128;
    status.BatteryLifePercent = 255;
    std::error_code error;
    fs::directory_iterator supplies(folder, error);
    if (error)
        return true;
    bool mainsSeen = false;
    bool mainsOnline = false;
    std::string batteryState;
    for (auto const& supply : supplies) {
        std::string type = ReadWord(supply.path() / "type");
        if (type == "Mains" || type == "USB") {
            mainsSeen = true;
            mainsOnline = mainsOnline || ReadNumber(supply.path() / "online", 0) == 1;
        } else if (type == "Battery" && status.BatteryFlag == 128) {
            int percent = BatteryPercent(supply.path());
            batteryState = ReadWord(supply.path() / "status");
            status.BatteryLifePercent = percent < 0 ? 255 : uint8_t(percent);
            status.BatteryFlag = percent < 0 ? 255 : percent > 66 ? 1 : percent > 33 ? 0 : percent > 5 ? 2 : 4;
            if (batteryState == "Charging" && percent >= 0)
                status.BatteryFlag |= 8;
            status.BatteryVoltage = uint32_t(std::max(ReadNumber(supply.path() / "voltage_now", 0), 0L) / 1000);
        }
    }
    // A battery alone tells by its state whether power comes from outside.
    if (mainsSeen)
        status.ACLineStatus = mainsOnline ? 1 : 0;
    else if (status.BatteryFlag != 128)
        status.ACLineStatus = batteryState == "Discharging" ? 0 : batteryState.empty() || batteryState == "Unknown" ? 255 : 1;
    return true;
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
