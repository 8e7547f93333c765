// Where relative names lead when the programs run in another folder than
// their files: the file named on the command line and every command count
// from the current folder, the daemon's NewIni too; the panel's pictures from
// the folder of its settings file.

#include "tests/desktop/StartedProgram.h"
#include "tests/desktop/XvfbSession.h"
#include "tests/support/BmpWriter.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace desktop_tests {
namespace {

using namespace std::chrono_literals;
using testing_support::TestDevice;

class RelativeNames : public testing::Test {
protected:
    XvfbSession x;
    TestDevice device;

    // tools/mark.sh below the current folder leaves the file `marked` there.
    void WriteMarkingTool()
    {
        device.MakeFolder("tools");
        device.WriteBytes("tools/mark.sh", "#!/bin/sh\necho marked > \"" + device.Root() + "/marked\"\n");
        chmod((device.Root() + "/tools/mark.sh").c_str(), 0755);
    }

    bool Marked() { return XvfbSession::WaitUntil([&] { return std::filesystem::exists(device.Root() + "/marked"); }, 3s); }

    void HoldKey(char const* key)
    {
        x.Xdotool({ "keydown", key, "sleep", "0.6", "keyup", key });
    }
};

TEST_F(RelativeNames, ThePanelsPictureComesFromItsFolderItsCommandFromTheCurrentOne)
{
    ASSERT_TRUE(x.Ready());
    WriteMarkingTool();
    device.MakeFolder("pages");
    testing_support::BmpFile wall;
    wall.width = 160;
    wall.height = 90;
    for (int row = 0; row < 90; ++row)
        wall.rows.push_back(testing_support::Row24(std::vector<uint32_t>(160, 0x102030)));
    device.WriteBytes("pages/wall.bmp", wall.Bytes());
    device.WriteUtf16("pages/page.ini",
        u"GLOBALSETTINGS\r\nx=40\r\ny=50\r\nArrange=No\r\nWidth=160\r\nHeight=90\r\nBackgroundColor=000000\r\n"
        u"BackgroundBitmap=wall.bmp\r\nStartUpAnimation=NoAnimation\r\n\r\n"
        u"BUTTON\r\nx=10\r\ny=10\r\nWidth=100\r\nHeight=30\r\nCommand=tools/mark.sh\r\n");
    device.WriteUtf16("pages/VessarineSettings.ini", u"page.ini\r\n");

    auto panel = StartProgram(VESSARINE_PATH, { .arguments = { "pages/VessarineSettings.ini" }, .folder = device.Root() });
    Geometry const page { 40, 50, 160, 90 };
    ASSERT_NE(x.WaitForWindow("vessarine", [&](XId window) { return x.GeometryOf(window) == page; }), 0u);
    EXPECT_TRUE(XvfbSession::WaitUntil([&] { return x.Capture({ 120, 130, 1, 1 }).at(0) == 0x102030; }, 3s))
        << "the picture beside the settings file is not shown";
    bool marked = false;
    for (int attempt = 0; attempt < 3 && !marked; ++attempt) {
        x.Xdotool({ "mousemove", "100", "75", "click", "1" });
        marked = Marked();
    }
    EXPECT_TRUE(marked) << "tools/mark.sh was not started from the current folder";
    EXPECT_TRUE(panel->Running());
}

TEST_F(RelativeNames, TheDaemonsNewIniAndCommandsCountFromTheCurrentFolder)
{
    ASSERT_TRUE(x.Ready());
    WriteMarkingTool();
    device.MakeFolder("keys");
    device.WriteUtf16("keys/Brellum.ini", u"BRELLUM\r\nKeyCode=120\r\nNewIni=night.ini\r\n\r\nSETTINGS\r\nElapseTime=300\r\n");
    device.WriteUtf16("night.ini", u"BRELLUM\r\nKeyCode=121\r\nCommand=tools/mark.sh\r\n\r\n"
                                   u"BRELLUM\r\nKeyCode=122\r\nNewIni=keys/Brellum.ini\r\n\r\nSETTINGS\r\nElapseTime=300\r\n");
    auto daemon = StartProgram(BRELLUM_PATH, { .arguments = { "keys/Brellum.ini" }, .folder = device.Root() });
    auto title = [&](std::string const& wanted) {
        return XvfbSession::WaitUntil([&] {
            for (XId window : x.WindowsOfClass("brellum")) {
                if (x.TitleOf(window) == wanted)
                    return true;
            }
            return false;
        }, 3s);
    };
    ASSERT_TRUE(title("Brellum v1.3 (1 aktiv)"));
    HoldKey("F9");
    EXPECT_TRUE(title("Brellum v1.3 (2 aktiv)")) << "night.ini in the current folder was not loaded";
    HoldKey("F10");
    EXPECT_TRUE(Marked()) << "tools/mark.sh was not started from the current folder";
    HoldKey("F11");
    EXPECT_TRUE(title("Brellum v1.3 (1 aktiv)")) << "keys/Brellum.ini was not loaded again";
    EXPECT_TRUE(daemon->Running());
}

}
}
