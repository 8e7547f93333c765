// The real machine's state as the device's queries report it, on power-supply
// folders made by the test (drivers differ in which files they offer).

#include "platform/Utf.h"
#include "platform/host/HostSystem.h"
#include "platform/host/ProgramArguments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
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

TEST(HostMemory, FitsTheDevicesThirtyTwoBitsAndKeepsItsFill)
{
    MemoryStatus status = HostMemory();
    ASSERT_GT(status.totalPhysical, 0u);
    EXPECT_LE(status.availablePhysical, status.totalPhysical);
    EXPECT_GT(status.availablePhysical, 0u) << "a running machine has some memory free";
    EXPECT_LE(status.memoryLoad, 100u);
    // The reported share of free memory follows the machine's load, also when scaled down.
    uint32_t freeShare = uint32_t(uint64_t(status.availablePhysical) * 100 / status.totalPhysical);
    EXPECT_NEAR(double(freeShare), double(100 - status.memoryLoad), 2.0);
    EXPECT_GT(status.totalVirtual, 0u);
    EXPECT_LT(status.availableVirtual, status.totalVirtual) << "this process has mapped some of its address space";
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
