#include "platform/SystemStatus.h"
#include "platform/locale/CivilTime.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

using namespace platform;
using testing_support::TestDevice;

namespace {

DeviceSettings At(ClockStart clock, std::string locale)
{
    DeviceSettings settings;
    settings.clock = clock;
    settings.locale = std::move(locale);
    return settings;
}

std::u16string Time(char16_t const* picture, SystemTime const* when = nullptr)
{
    char16_t buffer[32];
    int32_t count = GetTimeFormat(kUserDefaultLocale, 0, when, picture, buffer, 32);
    return count > 0 ? std::u16string(buffer, size_t(count - 1)) : u"(failed)";
}

std::u16string Date(char16_t const* picture, SystemTime const* when = nullptr)
{
    char16_t buffer[32];
    int32_t count = GetDateFormat(kUserDefaultLocale, 0, when, picture, buffer, 32);
    return count > 0 ? std::u16string(buffer, size_t(count - 1)) : u"(failed)";
}

TEST(SystemStatus, TimesAndDatesInTheUsersLocaleByDefaultOrByPicture)
{
    {
        TestDevice german(At({ 2026, 1, 15, 9, 30, 0 }, "de-DE"));
        EXPECT_EQ(Time(nullptr), u"09:30:00");
        EXPECT_EQ(Date(nullptr), u"15.01.2026");
        EXPECT_EQ(Date(u"dddd, d. MMMM yyyy"), u"Donnerstag, 15. Januar 2026");
        EXPECT_EQ(Date(u"ddd d. MMM yy"), u"Do 15. Jan 26");
        EXPECT_EQ(Time(u"'Uhr' H 'und it''s' m"), u"Uhr 9 und it's 30");
        EXPECT_EQ(Time(u"HH:mm dd.MM"), u"09:30 dd.MM"); // date letters are text in a time picture
    }
    {
        TestDevice american(At({ 2024, 2, 29, 13, 5, 7 }, "en-US"));
        EXPECT_EQ(Time(nullptr), u"1:05:07 PM");
        EXPECT_EQ(Date(nullptr), u"2/29/2024");
        EXPECT_EQ(Time(u"hh:mm t"), u"01:05 P");
        EXPECT_EQ(Date(u"dddd MMMM d"), u"Thursday February 29");
        SystemTime midnight { 2024, 12, 2, 31, 0, 0, 9, 0 };
        EXPECT_EQ(Time(u"h:mm:ss tt", &midnight), u"12:00:09 AM");
        EXPECT_EQ(Date(u"M/d/y", &midnight), u"12/31/24");
    }
}

TEST(SystemStatus, FormattingReportsSizesAndRefusesWhatDoesNotFit)
{
    TestDevice device(At({ 2026, 1, 15, 9, 30, 0 }, "de-DE"));
    EXPECT_EQ(GetTimeFormat(kUserDefaultLocale, 0, nullptr, nullptr, nullptr, 0), 9);
    char16_t small[8];
    EXPECT_EQ(GetTimeFormat(kUserDefaultLocale, 0, nullptr, nullptr, small, 8), 0);
    char16_t exact[9];
    EXPECT_EQ(GetTimeFormat(kUserDefaultLocale, 0, nullptr, nullptr, exact, 9), 9);
    EXPECT_EQ(std::u16string(exact), u"09:30:00");
    EXPECT_EQ(GetDateFormat(0x409, 0, nullptr, nullptr, exact, 9), 0); // "1/15/2026" needs 10
    EXPECT_EQ(GetDateFormat(0x1234, 0, nullptr, nullptr, exact, 9), 0);
}

TEST(SystemStatus, TheSimulatedClockRunsWithVirtualTimeAcrossDaysMonthsAndLeapYears)
{
    SystemTime start { 2024, 2, 0, 28, 23, 59, 59, 500 };
    SystemTime next = AddMilliseconds(start, 500);
    EXPECT_EQ(next.day, 29);
    EXPECT_EQ(next.hour, 0);
    EXPECT_EQ(next.dayOfWeek, 4); // Thursday
    SystemTime year = AddMilliseconds({ 2025, 12, 0, 31, 23, 0, 0, 0 }, 3600000);
    EXPECT_EQ(year.year, 2026);
    EXPECT_EQ(year.month, 1);
    EXPECT_EQ(year.day, 1);
    EXPECT_EQ(year.dayOfWeek, 4);

    TestDevice device(At({ 2026, 1, 15, 23, 59, 58, }, "de-DE"));
    device.Device().Schedule(2500, [] { });
    EXPECT_TRUE(device.Device().WaitForEvents(std::nullopt));
    SystemTime now;
    GetLocalTime(now);
    EXPECT_EQ(now.day, 16);
    EXPECT_EQ(now.second, 0);
    EXPECT_EQ(now.milliseconds, 500);
}

TEST(SystemStatus, MemoryAndStorageAnswerFromTheDeviceState)
{
    TestDevice device;
    MemoryStatus memory;
    GlobalMemoryStatus(memory);
    EXPECT_EQ(memory.length, 32u);
    EXPECT_EQ(memory.totalPhysical, 67108864u);
    EXPECT_EQ(memory.availablePhysical, 33554432u);
    EXPECT_EQ(memory.totalVirtual, 33554432u);
    EXPECT_EQ(memory.availableVirtual, 25165824u);
    EXPECT_EQ(memory.memoryLoad, 50u);

    uint64_t available = 0, total = 0;
    EXPECT_FALSE(GetDiskFreeSpace(u"\\Storage Card", &available, &total, nullptr));
    device.MakeFolder("Storage Card/sub");
    EXPECT_TRUE(GetDiskFreeSpace(u"\\Storage Card", &available, &total, nullptr));
    EXPECT_EQ(total, 1073741824u);
    EXPECT_EQ(available, 536870912u);
    EXPECT_TRUE(GetDiskFreeSpace(nullptr, &available, nullptr, nullptr)); // the root

    auto& disks = device.Device().State().disks;
    disks.push_back({ u"\\storage card", false, 8589934592ull * 4, 1000 });
    EXPECT_TRUE(GetDiskFreeSpace(u"\\Storage Card\\sub", &available, &total, nullptr));
    EXPECT_EQ(total, 34359738368ull);
    EXPECT_EQ(available, 1000u);
    disks.push_back({ u"\\Storage Card\\sub", true, 0, 0 });
    EXPECT_FALSE(GetDiskFreeSpace(u"/Storage Card/sub/deeper", &available, &total, nullptr));
    EXPECT_TRUE(GetDiskFreeSpace(u"\\Storage Card", &available, &total, nullptr));
    EXPECT_FALSE(GetDiskFreeSpace(u"\\Storage Cards", &available, &total, nullptr)); // whole names only
}

TEST(SystemStatus, ThePowerCallIsFoundByNameAndAnswersFromTheDeviceState)
{
    TestDevice device;
    EXPECT_FALSE(LoadLibrary(u"nosuch.dll"));
    LibraryHandle library = LoadLibrary(u"coredll.dll");
    ASSERT_TRUE(library);
    EXPECT_EQ(GetProcAddress(library, "GetSystemPowerStatus"), nullptr);
    auto call = reinterpret_cast<PowerStatusCall>(GetProcAddress(library, "GetSystemPowerStatusEx2"));
    ASSERT_NE(call, nullptr);
    SystemPowerStatusEx2 status;
    EXPECT_EQ(call(&status, sizeof status, 1), 56u);
    EXPECT_EQ(status.BatteryLifePercent, 75);
    EXPECT_EQ(status.BatteryFlag, 1);
    EXPECT_EQ(call(&status, 40, 1), 0u);

    auto& power = device.Device().State().power;
    power.Set("BatteryVoltage", 4100);
    EXPECT_EQ(call(&status, sizeof status, 1), 56u);
    EXPECT_EQ(status.BatteryVoltage, 4100u);
    power.queryFails = true;
    EXPECT_EQ(call(&status, sizeof status, 1), 0u);
    power.callAbsent = true;
    EXPECT_EQ(GetProcAddress(library, "GetSystemPowerStatusEx2"), nullptr);
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_FALSE(FreeLibrary(library));
    EXPECT_EQ(GetProcAddress(library, "GetSystemPowerStatusEx2"), nullptr);
}

}
