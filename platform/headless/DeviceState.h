#pragma once

// What the simulated device reports about itself: memory, storage and power.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct MemoryState {
    uint64_t totalPhysical = 67108864;
    uint64_t availablePhysical = 33554432;
    uint64_t totalVirtual = 33554432;
    uint64_t availableVirtual = 25165824;
};

// The free-space answer for a folder and every folder below it.
struct DiskState {
    std::u16string folder;
    bool fails = false;
    uint64_t total = 0;
    uint64_t available = 0;
};

// The fields of the extended power-status record, by their record names.
struct PowerState {
    int64_t ACLineStatus = 0;
    int64_t BatteryFlag = 1;
    int64_t BatteryLifePercent = 75;
    int64_t BatteryLifeTime = 0;
    int64_t BatteryFullLifeTime = 0;
    int64_t BackupBatteryFlag = 0;
    int64_t BackupBatteryLifePercent = 0;
    int64_t BackupBatteryLifeTime = 0;
    int64_t BackupBatteryFullLifeTime = 0;
    int64_t BatteryVoltage = 0;
    int64_t BatteryCurrent = 0;
    int64_t BatteryTemperature = 0;
    int64_t BackupBatteryVoltage = 0;
    bool queryFails = false;
    bool callAbsent = false;
    bool libraryAbsent = false; // the platform library itself cannot be loaded

    // False for a name the record does not have.
    bool Set(std::string_view field, int64_t value);
};

struct DeviceState {
    MemoryState memory;
    std::vector<DiskState> disks; // later lines win
    PowerState power;
};

}
