#include "platform/win32/WindowsSystem.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

using namespace platform;
using namespace platform::win32;
namespace fs = std::filesystem;

namespace {

std::u16string Windows(fs::path const& path)
{
    std::wstring const text = path.wstring();
    return std::u16string(text.begin(), text.end());
}

}

TEST(WindowsSystem, MemoryIsCountedInThirtyTwoBitsKeepingItsShare)
{
    MEMORYSTATUSEX system {};
    system.dwLength = sizeof system;
    ASSERT_TRUE(GlobalMemoryStatusEx(&system));
    MemoryStatus const status = WindowsMemory();

    EXPECT_EQ(status.length, 32u);
    EXPECT_EQ(status.totalPhysical, std::min<uint64_t>(system.ullTotalPhys, UINT32_MAX));
    ASSERT_GT(status.totalPhysical, 0u);
    EXPECT_LE(status.availablePhysical, status.totalPhysical);
    // The free share as the system tells it, give or take what changed in between.
    double const share = double(status.availablePhysical) / status.totalPhysical;
    EXPECT_NEAR(share, double(system.ullAvailPhys) / double(system.ullTotalPhys), 0.02);
    EXPECT_LE(status.memoryLoad, 100u);
    // A 64-bit process has terabytes of address space: all 32 bits of it.
    EXPECT_EQ(status.totalVirtual, UINT32_MAX);
    EXPECT_GT(status.availableVirtual, 0u);
    EXPECT_LE(status.availableVirtual, status.totalVirtual);
    EXPECT_LE(status.availablePageFile, status.totalPageFile);
}

TEST(WindowsSystem, DiskFreeSpaceIsOfFoldersOnly)
{
    fs::path const folder = testing_support::MakeTemporaryFolder("windows-system-");
    std::ofstream(folder / "file.txt") << "x";

    uint64_t available = 0;
    uint64_t total = 0;
    EXPECT_TRUE(WindowsDiskFreeSpace(Windows(folder), available, total));
    EXPECT_GT(total, 0u);
    EXPECT_GT(available, 0u);
    EXPECT_LE(available, total);

    available = total = 7;
    EXPECT_FALSE(WindowsDiskFreeSpace(Windows(folder / "file.txt"), available, total));
    EXPECT_FALSE(WindowsDiskFreeSpace(Windows(folder / "missing"), available, total));
    EXPECT_EQ(available, 7u);
    EXPECT_EQ(total, 7u);
    fs::remove_all(folder);
}

TEST(WindowsSystem, PowerStatusIsTheDevicesRecordOfTheSystemsState)
{
    SystemPowerStatusEx2 status;
    status.BackupBatteryFlag = 9;
    status.BatteryVoltage = 9;
    ASSERT_TRUE(WindowsPowerStatus(status));

    EXPECT_TRUE(status.ACLineStatus == 0 || status.ACLineStatus == 1 || status.ACLineStatus == 255)
        << int(status.ACLineStatus);
    EXPECT_TRUE(status.BatteryLifePercent <= 100 || status.BatteryLifePercent == 255) << int(status.BatteryLifePercent);
    if (status.BatteryFlag & 128) {
        EXPECT_EQ(status.BatteryLifePercent, 255) << "no battery has no charge";
    }
    // What the system does not know of stays empty, whatever was there before.
    EXPECT_EQ(status.BackupBatteryFlag, 0);
    EXPECT_EQ(status.BatteryVoltage, 0u);
}

TEST(WindowsSystem, LocalTimeIsTheCalendarsDateAndTime)
{
    std::time_t const before = std::time(nullptr);
    SystemTime const time = WindowsLocalTime();
    std::tm local {};
    ASSERT_EQ(localtime_s(&local, &before), 0);

    using namespace std::chrono;
    year_month_day const date { year(time.year), month(time.month), day(time.day) };
    ASSERT_TRUE(date.ok()) << time.year << "-" << time.month << "-" << time.day;
    EXPECT_EQ(time.dayOfWeek, weekday(sys_days(date)).c_encoding());
    EXPECT_LT(time.hour, 24);
    EXPECT_LT(time.minute, 60);
    EXPECT_LT(time.second, 60);
    EXPECT_LT(time.milliseconds, 1000);
    // The C library's clock says the same minute, unless one has just begun.
    int const minutes = time.hour * 60 + time.minute;
    int const libraryMinutes = local.tm_hour * 60 + local.tm_min;
    EXPECT_TRUE(minutes == libraryMinutes || minutes == (libraryMinutes + 1) % (24 * 60))
        << minutes << " vs " << libraryMinutes;
}

TEST(WindowsSystem, TickCountCountsMilliseconds)
{
    // The tick clock moves in steps of up to 16 ms: it may lag a step behind
    // at either end.
    auto const since = std::chrono::steady_clock::now();
    uint32_t const start = WindowsTickCount();
    Sleep(200);
    uint32_t const ticks = WindowsTickCount() - start;
    auto const elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since);
    EXPECT_GE(ticks, 200u - 2 * 16u);
    EXPECT_LE(int64_t(ticks), elapsed.count() + 2 * 16);
}
