#include "config/ConfigFile.h"
#include "config/Reports.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace config;
using testing_support::BoxEvent;
using testing_support::EventsAre;
using testing_support::TestDevice;

TEST(ConfigFile, OpensOnlyExistingUtf16LittleEndianFiles)
{
    TestDevice device;
    device.WriteUtf16("panel/good.ini", u"TEXT\r\n");
    device.WriteBytes("panel/ansi.ini", "TEXT\r\n");
    device.WriteBytes("panel/big.ini", std::string("\xFE\xFF\0T", 4));
    device.WriteBytes("panel/one.ini", "\xFF");
    device.WriteBytes("panel/empty.ini", "");

    auto good = OpenConfigFile(kPanelDialect, u"\\panel\\good.ini", kFileNotFoundCaption);
    ASSERT_TRUE(good.IsOpen());
    EXPECT_EQ(good.Position(), 2u);
    EXPECT_TRUE(device.Events("msgbox").empty());

    for (auto name : { u"\\panel\\ansi.ini", u"\\panel\\big.ini", u"\\panel\\one.ini", u"\\panel\\empty.ini" })
        EXPECT_FALSE(OpenConfigFile(kPanelDialect, name, kFileNotFoundCaption).IsOpen());
    EXPECT_FALSE(OpenConfigFile(kPanelDialect, u"\\panel\\missing.ini", kFileNotFoundCaption).IsOpen());
    EXPECT_FALSE(OpenConfigFile(kDaemonDialect, u"/Brellum.ini", kFileNotFoundCaption).IsOpen());
    EXPECT_FALSE(OpenConfigFile(kPanelDialect, u"VessarineSettings.ini", u"Datei kann nicht gefunden werden.").IsOpen());

    std::string const prefix = "Die Datei ist leer oder nicht im Unicode Format:\n";
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("Fehler", prefix + "\\panel\\ansi.ini", "error", true),
        BoxEvent("Fehler", prefix + "\\panel\\big.ini", "error", true),
        BoxEvent("Fehler", prefix + "\\panel\\one.ini", "error", true),
        BoxEvent("Fehler", prefix + "\\panel\\empty.ini", "error", true),
        BoxEvent("Datei nicht gefunden:", "\\panel\\missing.ini", "error", true),
        BoxEvent("Datei nicht gefunden:", "/Brellum.ini", "error", false),
        BoxEvent("Datei kann nicht gefunden werden.", "VessarineSettings.ini", "error", true),
    }));
}

TEST(ConfigFile, AFileWithOnlyTheMarkHasNoLines)
{
    TestDevice device;
    device.WriteBytes("only.ini", "\xFF\xFE");
    auto file = OpenConfigFile(kPanelDialect, u"\\only.ini", kFileNotFoundCaption);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Position(), file.Size());
    EXPECT_TRUE(device.Events("msgbox").empty());
}
