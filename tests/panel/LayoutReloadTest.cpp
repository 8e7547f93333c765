// A panel whose files change while it runs (--watch on the desktop): each
// window made anew from its layout file, or all of them from the settings
// file, as a layout switch without animation replaces a window; files that
// no longer read leave the windows as they are. The messages are sent here
// as the desktop's watch posts them once a change has settled.

#include "panel/core/PanelEntry.h"
#include "panel/core/PanelMessages.h"
#include "panel/core/PanelWindow.h"
#include "platform/Windowing.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace panel;
using platform::WindowHandle;
using testing_support::BoxSaying;
using testing_support::EventsHave;
using testing_support::TestDevice;
using Windows = std::vector<WindowHandle>;

namespace {

platform::DeviceSettings Until(uint64_t until)
{
    platform::DeviceSettings settings;
    settings.until = until;
    return settings;
}

std::u16string Page(std::u16string const& width, std::u16string const& time)
{
    return u"GLOBALSETTINGS\r\nWidth=" + width + u"\r\nStartUpAnimation=FlyDown\r\nShutDownAnimation=FlyUp\r\nAnimationTime="
        + time + u"\r\n\r\nSPACE\r\n";
}

void FilesChanged(WindowHandle window, platform::WParam watch)
{
    platform::SendMessage(window, FilesChangedMessage, watch, 0);
}

class LayoutReload : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(RegisterPanelClass()); }

    TestDevice device { Until(3000) };
    PanelProgram program;
};

TEST_F(LayoutReload, AChangedLayoutMakesANewWindowThatReplacesTheOldWithoutAnimation)
{
    device.WriteUtf16("a.ini", Page(u"100", u"800"));
    WindowHandle old = program.CreateLayoutWindow(u"\\a.ini");
    ASSERT_TRUE(old);
    ShowPanel(old);

    device.WriteUtf16("a.ini", Page(u"150", u"300"));
    FilesChanged(old, kLayoutFilesWatch);
    ASSERT_EQ(program.Windows().size(), 2u);
    WindowHandle made = program.Windows()[1];
    PanelWindow const& next = *PanelOf(made);
    EXPECT_EQ(next.windowWidth, 150);
    EXPECT_EQ(next.openingAnimation, NoAnimation);
    EXPECT_TRUE(platform::IsWindowVisible(made));
    PanelWindow const& closing = *PanelOf(old);
    EXPECT_TRUE(closing.closing);
    EXPECT_EQ(closing.closingAnimation, NoAnimation);
    EXPECT_EQ(closing.animationTime, 300u) << "the old window stays as long as the new one opens";
    EXPECT_FALSE(closing.quitWhenClosed);

    // A window on its way out is not made anew again.
    FilesChanged(old, kLayoutFilesWatch);
    EXPECT_EQ(program.Windows().size(), 2u);
    platform::RunMessageLoop();
    EXPECT_EQ(program.Windows(), Windows { made });
    EXPECT_FALSE(platform::IsWindow(old));
}

TEST_F(LayoutReload, ALayoutThatNoLongerReadsLeavesTheWindowAsItIs)
{
    device.WriteUtf16("a.ini", Page(u"100", u"800"));
    WindowHandle old = program.CreateLayoutWindow(u"\\a.ini");
    ASSERT_TRUE(old);

    device.WriteUtf16("a.ini", Page(u"150", u"300"), false);
    FilesChanged(old, kLayoutFilesWatch);
    device.WriteBytes("a.ini", "");
    FilesChanged(old, kLayoutFilesWatch);
    std::filesystem::remove(device.Root() + "/a.ini");
    FilesChanged(old, kLayoutFilesWatch);
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("Fehler", "Die Datei ist leer oder nicht im Unicode Format:\n\\a.ini"),
        BoxSaying("Fehler", "Die Datei ist leer oder nicht im Unicode Format:\n\\a.ini"),
        BoxSaying("Datei nicht gefunden:", "\\a.ini"),
    }));
    EXPECT_EQ(program.Windows(), Windows { old });
    EXPECT_FALSE(PanelOf(old)->closing);
    EXPECT_EQ(PanelOf(old)->windowWidth, 100);
}

TEST_F(LayoutReload, AChangedSettingsFileReplacesEveryWindowWithTheOnesItListsNow)
{
    device.WriteUtf16("a.ini", Page(u"100", u"800"));
    device.WriteUtf16("b.ini", Page(u"110", u"800"));
    device.WriteUtf16("c.ini", Page(u"120", u"200"));
    device.WriteUtf16("S.ini", u"a.ini\r\nb.ini\r\n");
    program.ReadSettingsFile(u"\\S.ini");
    Windows const old = program.Windows();
    ASSERT_EQ(old.size(), 2u);

    device.WriteUtf16("S.ini", u"c.ini\r\n");
    FilesChanged(old.front(), kSettingsFileWatch);
    ASSERT_EQ(program.Windows().size(), 3u);
    WindowHandle made = program.Windows().back();
    EXPECT_EQ(PanelOf(made)->windowWidth, 120);
    EXPECT_EQ(PanelOf(made)->openingAnimation, NoAnimation);
    for (WindowHandle window : old) {
        EXPECT_TRUE(PanelOf(window)->closing);
        EXPECT_EQ(PanelOf(window)->closingAnimation, NoAnimation);
        EXPECT_EQ(PanelOf(window)->animationTime, 200u);
    }
    platform::RunMessageLoop();
    EXPECT_EQ(program.Windows(), Windows { made });
}

TEST_F(LayoutReload, ASettingsFileThatNoLongerReadsOrOpensNoWindowLeavesTheWindowsAsTheyAre)
{
    device.WriteUtf16("a.ini", Page(u"100", u"800"));
    device.WriteUtf16("S.ini", u"a.ini\r\n");
    program.ReadSettingsFile(u"\\S.ini");
    Windows const old = program.Windows();
    ASSERT_EQ(old.size(), 1u);

    device.WriteUtf16("S.ini", u"missing.ini\r\n");
    FilesChanged(old.front(), kSettingsFileWatch);
    device.WriteUtf16("S.ini", u"a.ini\r\n", false);
    FilesChanged(old.front(), kSettingsFileWatch);
    std::filesystem::remove(device.Root() + "/S.ini");
    FilesChanged(old.front(), kSettingsFileWatch);
    EXPECT_THAT(device.ParsedEvents("msgbox"), EventsHave({
        BoxSaying("Datei nicht gefunden:", "\\missing.ini"),
        BoxSaying("Fehler", "Die Datei ist leer oder nicht im Unicode Format:\n\\S.ini"),
        BoxSaying("Datei kann nicht gefunden werden.", "\\S.ini"),
    }));
    EXPECT_EQ(program.Windows(), old);
    EXPECT_FALSE(PanelOf(old.front())->closing);
}

}
