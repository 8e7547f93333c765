#include "platform/headless/SimulatedServices.h"

#include "platform/HostFilePath.h"
#include "platform/TextCase.h"
#include "platform/host/HostFileStream.h"
#include "platform/locale/CivilTime.h"
#include "platform/locale/LocaleData.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

SimulatedServices::SimulatedServices(DeviceSettings const& settings, VirtualClock const& clock, Trace& trace)
    : settings_(settings)
    , clock_(clock)
    , root_(settings.root)
    , shell_(root_, trace)
{
}

std::unique_ptr<FileStream> SimulatedServices::OpenForReading(std::u16string_view path)
{
    auto host = root_.HostPath(path);
    if (!host)
        return nullptr;
    return HostFileStream::Open(*host);
}

// The device file where the host keeps it, below the root folder.
std::u16string SimulatedServices::UserPath(std::u16string_view path)
{
    std::optional<std::string> host = root_.HostPath(path);
    return host ? UserPathOfHostFile(*host) : std::u16string(path);
}

std::optional<std::u16string> SimulatedServices::ProgramPath()
{
    if (settings_.exe.empty())
        return std::nullopt;
    return settings_.exe;
}

SystemTime SimulatedServices::LocalTime()
{
    ClockStart const& clock = settings_.clock;
    SystemTime start;
    start.year = uint16_t(clock.year);
    start.month = uint16_t(clock.month);
    start.day = uint16_t(clock.day);
    start.hour = uint16_t(clock.hour);
    start.minute = uint16_t(clock.minute);
    start.second = uint16_t(clock.second);
    return AddMilliseconds(start, clock_.Now());
}

LocaleData const& SimulatedServices::UserLocale()
{
    LocaleData const* locale = LocaleNamed(settings_.locale);
    return locale ? *locale : *LocaleNamed("de-DE");
}

static uint32_t Clamp32(uint64_t value)
{
    return value > UINT32_MAX ? UINT32_MAX : uint32_t(value);
}

MemoryStatus SimulatedServices::QueryMemory()
{
    MemoryState const& memory = state_.memory;
    MemoryStatus status;
    status.totalPhysical = Clamp32(memory.totalPhysical);
    status.availablePhysical = Clamp32(memory.availablePhysical);
    status.totalPageFile = 0;
    status.availablePageFile = 0;
    status.totalVirtual = Clamp32(memory.totalVirtual);
    status.availableVirtual = Clamp32(memory.availableVirtual);
    if (memory.totalPhysical > 0 && memory.availablePhysical <= memory.totalPhysical)
        status.memoryLoad = uint32_t(100 - memory.availablePhysical * 100 / memory.totalPhysical);
    return status;
}

// A path's folder names in lower case: folders compare without regard to case.
static std::vector<std::u16string> FolderNames(std::u16string_view path)
{
    std::vector<std::u16string> names;
    std::u16string name;
    for (char16_t c : LowerCase(path)) {
        if (c != u'\\' && c != u'/')
            name.push_back(c);
        else if (!name.empty())
            names.push_back(std::exchange(name, {}));
    }
    if (!name.empty())
        names.push_back(name);
    return names;
}

static bool IsWithin(std::u16string_view folder, std::u16string_view outer)
{
    auto inner = FolderNames(folder);
    auto prefix = FolderNames(outer);
    return prefix.size() <= inner.size() && std::equal(prefix.begin(), prefix.end(), inner.begin());
}

bool SimulatedServices::QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total)
{
    for (auto rule = state_.disks.rbegin(); rule != state_.disks.rend(); ++rule) {
        if (!IsWithin(folder, rule->folder))
            continue;
        if (rule->fails)
            return false;
        available = rule->available;
        total = rule->total;
        return true;
    }
    if (!root_.FolderExists(folder))
        return false;
    available = 536870912;
    total = 1073741824;
    return true;
}

bool SimulatedServices::QueryPowerStatus(SystemPowerStatusEx2& status)
{
    PowerState const& power = state_.power;
    if (power.queryFails)
        return false;
    status = {};
    status.ACLineStatus = uint8_t(power.ACLineStatus);
    status.BatteryFlag = uint8_t(power.BatteryFlag);
    status.BatteryLifePercent = uint8_t(power.BatteryLifePercent);
    status.BatteryLifeTime = uint32_t(power.BatteryLifeTime);
    status.BatteryFullLifeTime = uint32_t(power.BatteryFullLifeTime);
    status.BackupBatteryFlag = uint8_t(power.BackupBatteryFlag);
    status.BackupBatteryLifePercent = uint8_t(power.BackupBatteryLifePercent);
    status.BackupBatteryLifeTime = uint32_t(power.BackupBatteryLifeTime);
    status.BackupBatteryFullLifeTime = uint32_t(power.BackupBatteryFullLifeTime);
    status.BatteryVoltage = uint32_t(power.BatteryVoltage);
    status.BatteryCurrent = uint32_t(power.BatteryCurrent);
    status.BatteryTemperature = uint32_t(power.BatteryTemperature);
    status.BackupBatteryVoltage = uint32_t(power.BackupBatteryVoltage);
    return true;
}

// The device's core library, by either of its names, unless the script took it away.
bool SimulatedServices::HasLibraryExport(std::u16string_view library, std::string_view name)
{
    std::u16string lower = LowerCase(library);
    if ((lower != u"coredll.dll" && lower != u"coredll") || state_.power.libraryAbsent)
        return false;
    return name.empty() || (name == "GetSystemPowerStatusEx2" && !state_.power.callAbsent);
}

}
