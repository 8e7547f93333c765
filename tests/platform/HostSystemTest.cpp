// The real machine's state as the device's queries report it: power on
// power-supply folders made by the test (drivers differ in which files they
// offer), memory and storage as the kernel and df tell them, the clock in
// the time zone and the names of the time locale the environment sets.

#include "platform/Utf.h"
#include "platform/host/HostSystem.h"
#include "platform/host/ProgramArguments.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <optional>
#include <utility>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

class PowerSupplies : public testing::Test {
protected:
    fs::path folder = fs::temp_directory_path()
        / ("power-" + std::to_string(getpid()) + "-" + testing::UnitTest::GetInstance()->current_test_info()->name());

    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }

    // The supply's folder with one line in each of `files`, written over what was there.
    void Supply(std::string const& name, std::initializer_list<std::pair<char const*, char const*>> files)
    {
        fs::create_directories(folder / name);
        for (auto [file, text] : files)
            std::ofstream(folder / name / file) << text << "\n";
    }

    SystemPowerStatusEx2 Query()
    {
        SystemPowerStatusEx2 status;
        EXPECT_TRUE(HostPowerStatus(status, folder.string()));
        return status;
    }
};

TEST_F(PowerSupplies, NoBatteryReportsExternalPowerAsADeviceInItsCradle)
{
    SystemPowerStatusEx2 status = Query();
    EXPECT_EQ(status.ACLineStatus, 1);
    EXPECT_EQ(status.BatteryFlag, 128);
    EXPECT_EQ(status.BatteryLifePercent, 255);
    EXPECT_TRUE(HostPowerStatus(status, (folder / "missing").string()));
    EXPECT_EQ(status.ACLineStatus, 1);
    EXPECT_EQ(status.BatteryFlag, 128);
}

TEST_F(PowerSupplies, BatteryAndMainsGiveChargeFlagsAndLine)
{
    Supply("AC", { { "type", "Mains" }, { "online", "0" } });
    Supply("BAT0", { { "type", "Battery" }, { "capacity", "50" }, { "status", "Discharging" }, { "voltage_now", "11900000" } });
    SystemPowerStatusEx2 status = Query();
    EXPECT_EQ(status.ACLineStatus, 0);
    EXPECT_EQ(status.BatteryLifePercent, 50);
    EXPECT_EQ(status.BatteryFlag, 0);
    EXPECT_EQ(status.BatteryVoltage, 11900u);

    Supply("AC", { { "online", "1" } });
    Supply("BAT0", { { "capacity", "20" }, { "status", "Charging" } });
    status = Query();
    EXPECT_EQ(status.ACLineStatus, 1);
    EXPECT_EQ(status.BatteryFlag, 2 | 8);
}

TEST_F(PowerSupplies, BatteryWithoutTheUsualFilesFallsBackWithoutGuessing)
{
    // Energy counters instead of a capacity; no mains supply: the state tells the line.
    Supply("BAT1", { { "type", "Battery" }, { "energy_now", "30" }, { "energy_full", "100" }, { "status", "Charging" } });
    SystemPowerStatusEx2 status = Query();
    EXPECT_EQ(status.BatteryLifePercent, 30);
    EXPECT_EQ(status.BatteryFlag, 2 | 8);
    EXPECT_EQ(status.ACLineStatus, 1);

    // Nothing to read at all: unknown, never a made-up 0 %.
    fs::remove_all(folder / "BAT1");
    Supply("BAT1", { { "type", "Battery" }, { "energy_full", "0" } });
    status = Query();
    EXPECT_EQ(status.BatteryLifePercent, 255);
    EXPECT_EQ(status.BatteryFlag, 255);
    EXPECT_EQ(status.ACLineStatus, 255);
}

// A field of /proc/meminfo in bytes.
uint64_t MemInfoBytes(std::string const& field)
{
    std::ifstream in("/proc/meminfo");
    std::string name;
    uint64_t kilobytes = 0;
    std::string unit;
    while (in >> name >> kilobytes >> unit) {
        if (name == field + ":")
            return kilobytes * 1024;
    }
    return 0;
}

TEST(HostMemory, FitsTheDevicesThirtyTwoBitsAndKeepsItsFill)
{
    MemoryStatus status = HostMemory();
    ASSERT_GT(status.totalPhysical, 0u);
    // More than 4 GB, as on most machines now, is shown as the most the device can count.
    EXPECT_EQ(status.totalPhysical, std::min<uint64_t>(MemInfoBytes("MemTotal"), UINT32_MAX));
    EXPECT_LE(status.availablePhysical, status.totalPhysical);
    EXPECT_GT(status.availablePhysical, 0u) << "a running machine has some memory free";
    EXPECT_LE(status.memoryLoad, 100u);
    // The reported share of free memory follows the machine's load, also when scaled down.
    uint32_t freeShare = uint32_t(uint64_t(status.availablePhysical) * 100 / status.totalPhysical);
    EXPECT_NEAR(double(freeShare), double(100 - status.memoryLoad), 2.0);
    EXPECT_GT(status.totalVirtual, 0u);
    EXPECT_LT(status.availableVirtual, status.totalVirtual) << "this process has mapped some of its address space";
}

TEST(HostStorage, FreeSpaceAndSizeAreTheFileSystemsAsDfTellsThem)
{
    fs::path folder = fs::temp_directory_path();
    uint64_t available = 0, total = 0;
    ASSERT_TRUE(HostDiskFreeSpace(folder.string(), available, total));
    std::string command = "df --block-size=1 --output=size,avail '" + folder.string() + "' | tail -n 1";
    FILE* df = popen(command.c_str(), "r");
    ASSERT_NE(df, nullptr);
    unsigned long long size = 0, free = 0;
    int read = fscanf(df, "%llu %llu", &size, &free);
    pclose(df);
    ASSERT_EQ(read, 2) << "df did not answer";
    EXPECT_EQ(total, size);
    // Other programs write meanwhile.
    EXPECT_NEAR(double(available), double(free), 64.0 * 1024 * 1024);

    EXPECT_FALSE(HostDiskFreeSpace((folder / "no-such-folder-here").string(), available, total));
    EXPECT_FALSE(HostDiskFreeSpace("/proc/self/status", available, total)) << "a file is no folder";
}

// Environment variables set for one test, and as they were after it.
class ScopedEnvironment {
public:
    // A null value unsets the variable.
    ScopedEnvironment(std::initializer_list<std::pair<char const*, char const*>> values)
    {
        for (auto [name, value] : values) {
            char const* before = std::getenv(name);
            saved_.push_back({ name, before ? std::optional<std::string>(before) : std::nullopt });
            Set(name, value);
        }
    }
    ~ScopedEnvironment()
    {
        for (auto const& [name, value] : saved_)
            Set(name.c_str(), value ? value->c_str() : nullptr);
    }
    ScopedEnvironment(ScopedEnvironment const&) = delete;
    ScopedEnvironment& operator=(ScopedEnvironment const&) = delete;

private:
    static void Set(char const* name, char const* value)
    {
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
        tzset();
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

int MinuteOfDay(SystemTime const& time)
{
    return time.hour * 60 + time.minute;
}

TEST(HostClock, TheLocalTimeIsTheTimeZonesOwn)
{
    std::time_t now = std::time(nullptr);
    SystemTime utc, india;
    {
        ScopedEnvironment zone({ { "TZ", "UTC0" } });
        utc = HostLocalTime();
    }
    {
        ScopedEnvironment zone({ { "TZ", "<+0530>-5:30" } });
        india = HostLocalTime();
    }
    std::tm expected {};
    gmtime_r(&now, &expected);
    EXPECT_EQ(utc.year, expected.tm_year + 1900);
    EXPECT_EQ(utc.month, expected.tm_mon + 1);
    EXPECT_NEAR(MinuteOfDay(utc), expected.tm_hour * 60 + expected.tm_min, 1);
    // Five and a half hours ahead, a minute more if one began between the two readings.
    EXPECT_NEAR((MinuteOfDay(india) - MinuteOfDay(utc) + 1440) % 1440, 330, 1);
}

TEST(HostClock, NamesAreGermanWhenTheFirstTimeLocaleSetBeginsWithDe)
{
    LocaleData const* german = LocaleNamed("de-DE");
    LocaleData const* american = LocaleNamed("en-US");
    struct Case {
        char const* all;
        char const* time;
        char const* language;
        LocaleData const* names;
    } const cases[] = {
        { nullptr, "de_DE.UTF-8", "en_US.UTF-8", german },
        { nullptr, nullptr, "de_AT.UTF-8", german },
        { "de_CH.UTF-8", "C", "en_US.UTF-8", german },
        { "C.UTF-8", "de_DE.UTF-8", nullptr, american },
        { "", "de_DE.UTF-8", nullptr, german }, // set but empty counts as not set
        { nullptr, "fr_FR.UTF-8", "de_DE.UTF-8", american },
        { nullptr, nullptr, nullptr, american },
    };
    for (Case const& c : cases) {
        ScopedEnvironment environment({ { "LC_ALL", c.all }, { "LC_TIME", c.time }, { "LANG", c.language } });
        EXPECT_EQ(&HostLocale(), c.names) << "LC_ALL=" << (c.all ? c.all : "(unset)") << " LC_TIME="
                                          << (c.time ? c.time : "(unset)") << " LANG=" << (c.language ? c.language : "(unset)");
    }
}

}

namespace {

TEST(ProgramArguments, WordsAreJoinedAndFilesFromTheCurrentFolderMadeAbsolute)
{
    fs::path folder = fs::temp_directory_path() / ("arguments-" + std::to_string(getpid()));
    fs::create_directories(folder / "sub");
    std::ofstream(folder / "Panel.ini") << "x";
    std::ofstream(folder / "sub" / "Keys.ini") << "x";
    fs::path before = fs::current_path();
    fs::current_path(folder);
    std::vector<std::string> words { "Panel.ini", "Nichts.ini", "-x", "/etc", "sub\\Keys.ini" };
    std::u16string line = CommandLineFromArguments(words);
    fs::current_path(before);
    fs::path absolute = fs::canonical(folder);
    fs::remove_all(folder);
    EXPECT_EQ(line, FromUtf8((absolute / "Panel.ini").string()) + u" Nichts.ini -x /etc " + FromUtf8((absolute / "sub" / "Keys.ini").string()));
    EXPECT_EQ(CommandLineFromArguments({}), u"");
}

}
