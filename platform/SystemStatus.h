#pragma once

// What the device reports about itself: memory, the free space of a folder,
// the power status (through a call looked up by name in the platform
// library), and the local time and date formatted for the user's locale.

#include "platform/Types.h"

#include <cstdint>

namespace platform {

// The global memory status; `length` must be 32 before the query.
struct MemoryStatus {
    uint32_t length = 32;
    uint32_t memoryLoad = 0;
    uint32_t totalPhysical = 0;
    uint32_t availablePhysical = 0;
    uint32_t totalPageFile = 0;
    uint32_t availablePageFile = 0;
    uint32_t totalVirtual = 0;
    uint32_t availableVirtual = 0;
};
void GlobalMemoryStatus(MemoryStatus& status);

// Bytes available to the caller and total bytes of the storage holding
// `folder`; false when the folder does not exist or the query fails.
// Either pointer may be null.
bool GetDiskFreeSpace(char16_t const* folder, uint64_t* availableToCaller, uint64_t* total, uint64_t* totalFree);

// The extended power-status record, 56 bytes, laid out as the device has it.
struct SystemPowerStatusEx2 {
    uint8_t ACLineStatus = 0;
    uint8_t BatteryFlag = 0;
    uint8_t BatteryLifePercent = 0;
    uint8_t Reserved1 = 0;
    uint32_t BatteryLifeTime = 0;
    uint32_t BatteryFullLifeTime = 0;
    uint8_t Reserved2 = 0;
    uint8_t BackupBatteryFlag = 0;
    uint8_t BackupBatteryLifePercent = 0;
    uint8_t Reserved3 = 0;
    uint32_t BackupBatteryLifeTime = 0;
    uint32_t BackupBatteryFullLifeTime = 0;
    uint32_t BatteryVoltage = 0;
    uint32_t BatteryCurrent = 0;
    uint32_t BatteryAverageCurrent = 0;
    uint32_t BatteryAverageInterval = 0;
    uint32_t BatterymAHourConsumed = 0;
    uint32_t BatteryTemperature = 0;
    uint32_t BackupBatteryVoltage = 0;
    uint8_t BatteryChemistry = 0;
};
static_assert(sizeof(SystemPowerStatusEx2) == 56);

// GetSystemPowerStatusEx2(record, length in bytes, refresh): bytes filled, 0 on failure.
using PowerStatusCall = uint32_t (*)(SystemPowerStatusEx2* status, uint32_t length, int32_t refresh);

// Platform libraries, loaded by name; exports looked up by name.
using LibraryHandle = Handle<struct LibraryTag>;
LibraryHandle LoadLibrary(char16_t const* name);
// Null when the library has no such export.
void* GetProcAddress(LibraryHandle library, char const* name);
bool FreeLibrary(LibraryHandle library);

// A point of local time.
struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0; // 1-12
    uint16_t dayOfWeek = 0; // 0 = Sunday
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};
void GetLocalTime(SystemTime& time);

constexpr uint32_t kUserDefaultLocale = 0x400;

// The time (h hh H HH m mm s ss t tt) or the date (d dd ddd dddd M MM MMM
// MMMM y yy yyyy) in the user's locale, by picture string ('quoted' text is
// literal) or, with none, the locale's default format. `time` null is now.
// Returns the characters written including the terminator; 0 when they do
// not fit into `capacity` characters or the locale is not known. With
// capacity 0 returns the size needed.
int32_t GetTimeFormat(uint32_t locale, uint32_t flags, SystemTime const* time, char16_t const* picture, char16_t* buffer,
    int32_t capacity);
int32_t GetDateFormat(uint32_t locale, uint32_t flags, SystemTime const* time, char16_t const* picture, char16_t* buffer,
    int32_t capacity);

}
