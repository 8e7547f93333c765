#include "panel/core/Animation.h"
#include "panel/core/PanelEntry.h"
#include "panel/core/PanelMessages.h"
#include "panel/core/PanelWindow.h"
#include "platform/System.h"
#include "platform/Windowing.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

using namespace panel;
using testing_support::TestDevice;

namespace {

class CountingObject final : public DesktopObject {
public:
    CountingObject(uint32_t interval, int* draws) : draws_(draws) { interval_ = interval; }
    void Draw(ScratchBitmap&, int32_t, int32_t) override { ++*draws_; }

private:
    int* draws_;
};

platform::DeviceSettings Until(uint64_t until)
{
    platform::DeviceSettings settings;
    settings.until = until;
    return settings;
}

TEST(PanelWindow, ARefreshTickRedrawsOnlyTheObjectsThatAreDue)
{
    TestDevice device(Until(1000));
    device.WriteUtf16(
        "a.ini", u"GLOBALSETTINGS\r\nStartUpAnimation=NoAnimation\r\nRefresh=100\r\n\r\nTIME\r\n\r\nSPACE\r\nSpace=20\r\n");
    ASSERT_TRUE(RegisterPanelClass());
    platform::WindowHandle window = CreateLayoutWindow(u"\\a.ini");
    ASSERT_TRUE(window);
    ShowPanel(window);
    int everyTick = 0, everyThird = 0, never = 0;
    auto& settings = *PanelOf(window)->settings;
    settings.AppendObject(std::make_unique<CountingObject>(100, &everyTick));
    settings.AppendObject(std::make_unique<CountingObject>(300, &everyThird));
    settings.AppendObject(std::make_unique<CountingObject>(0, &never));
    platform::RunMessageLoop();
    EXPECT_EQ(everyTick, 10);
    EXPECT_EQ(everyThird, 3);
    EXPECT_EQ(never, 0);
    RemoveAndDestroyWindow(window);
}

TEST(PanelWindow, WithoutIntervalsThereIsNoRefreshTimer)
{
    TestDevice device(Until(100000));
    device.WriteUtf16("a.ini", u"GLOBALSETTINGS\r\nStartUpAnimation=NoAnimation\r\nRefresh=100\r\n\r\nSPACE\r\n");
    ASSERT_TRUE(RegisterPanelClass());
    platform::WindowHandle window = CreateLayoutWindow(u"\\a.ini");
    ShowPanel(window);
    int draws = 0;
    PanelOf(window)->settings->AppendObject(std::make_unique<CountingObject>(100, &draws));
    platform::RunMessageLoop();
    EXPECT_EQ(draws, 0);
    EXPECT_EQ(device.Trace().back(), R"({"t":0,"event":"end"})"); // nothing was left to happen
    RemoveAndDestroyWindow(window);
}

TEST(PanelWindow, ALateStepEndsTheAnimationAtTheFinalRectangle)
{
    TestDevice device;
    device.WriteUtf16("a.ini", u"GLOBALSETTINGS\r\nStartUpAnimation=FlyDown\r\nx=5\r\ny=6\r\n\r\nSPACE\r\nSpace=30\r\n");
    ASSERT_TRUE(RegisterPanelClass());
    platform::WindowHandle window = CreateLayoutWindow(u"\\a.ini");
    PanelWindow& panel = *PanelOf(window);
    ASSERT_TRUE(panel.animating);
    panel.animationStart = platform::GetTickCount() - 900;
    AnimationStep(panel, true);
    EXPECT_FALSE(panel.animating);
    EXPECT_EQ(platform::GetWindowRect(window), platform::Rect::FromSize(5, 6, 128, 30));
    EXPECT_FALSE(platform::KillTimer(window, kOpeningTimer)); // already stopped
    RemoveAndDestroyWindow(window);
}

}
