#include "panel/core/Animation.h"
#include "panel/core/PanelEntry.h"
#include "panel/core/PanelMessages.h"
#include "panel/core/PanelWindow.h"
#include "platform/System.h"
#include "platform/Windowing.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace panel;
using testing_support::IsEvent;
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
    PanelProgram program;
    platform::WindowHandle window = program.CreateLayoutWindow(u"\\a.ini");
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
    program.RemoveAndDestroyWindow(window);
}

TEST(PanelWindow, WithoutIntervalsThereIsNoRefreshTimer)
{
    TestDevice device(Until(100000));
    device.WriteUtf16("a.ini", u"GLOBALSETTINGS\r\nStartUpAnimation=NoAnimation\r\nRefresh=100\r\n\r\nSPACE\r\n");
    ASSERT_TRUE(RegisterPanelClass());
    PanelProgram program;
    platform::WindowHandle window = program.CreateLayoutWindow(u"\\a.ini");
    ShowPanel(window);
    int draws = 0;
    PanelOf(window)->settings->AppendObject(std::make_unique<CountingObject>(100, &draws));
    platform::RunMessageLoop();
    EXPECT_EQ(draws, 0);
    EXPECT_THAT(device.ParsedTrace().back(), IsEvent({ { "t", 0 }, { "event", "end" } })); // nothing was left to happen
    program.RemoveAndDestroyWindow(window);
}

TEST(PanelWindow, ALateStepEndsTheAnimationAtTheFinalRectangle)
{
    TestDevice device;
    device.WriteUtf16("a.ini", u"GLOBALSETTINGS\r\nStartUpAnimation=FlyDown\r\nx=5\r\ny=6\r\n\r\nSPACE\r\nSpace=30\r\n");
    ASSERT_TRUE(RegisterPanelClass());
    PanelProgram program;
    platform::WindowHandle window = program.CreateLayoutWindow(u"\\a.ini");
    PanelWindow& panel = *PanelOf(window);
    ASSERT_TRUE(panel.animating);
    panel.animationStart = platform::GetTickCount() - 900;
    AnimationStep(panel, true);
    EXPECT_FALSE(panel.animating);
    EXPECT_EQ(platform::GetWindowRect(window), platform::Rect::FromSize(5, 6, 128, 30));
    EXPECT_FALSE(platform::KillTimer(window, kOpeningTimer)); // already stopped
    program.RemoveAndDestroyWindow(window);
}

TEST(PanelWindow, ALayoutSwitchChangesTheAnimationsInEffectNotTheLayouts)
{
    TestDevice device;
    device.WriteUtf16("a.ini", u"GLOBALSETTINGS\r\nStartUpAnimation=NoAnimation\r\nShutDownAnimation=FlyUp\r\n"
                               u"AnimationTime=800\r\n\r\nSPACE\r\n");
    device.WriteUtf16("b.ini", u"GLOBALSETTINGS\r\nStartUpAnimation=NoAnimation\r\nAnimationTime=300\r\n\r\nSPACE\r\n");
    ASSERT_TRUE(RegisterPanelClass());
    PanelProgram program;
    PanelWindow& closing = *PanelOf(program.CreateLayoutWindow(u"\\a.ini"));
    EXPECT_EQ(closing.closingAnimation, FlyUp);
    EXPECT_EQ(&closing.program, &program);

    std::u16string next = u"\\b.ini";
    platform::SendMessage(closing.window, SwitchLayoutMessage, reinterpret_cast<platform::WParam>(next.c_str()), RollDown);
    ASSERT_EQ(program.Windows().size(), 2u);
    PanelWindow& opening = *PanelOf(program.Windows()[1]);
    EXPECT_EQ(&opening.program, &program);
    EXPECT_EQ(opening.openingAnimation, RollDown);
    EXPECT_TRUE(opening.animating);
    EXPECT_EQ(opening.settings->startUpAnimation, NoAnimation);
    EXPECT_EQ(closing.closingAnimation, RollDown);
    EXPECT_EQ(closing.animationTime, 300u);
    EXPECT_TRUE(closing.animating);
    EXPECT_EQ(closing.settings->shutDownAnimation, FlyUp);
    EXPECT_EQ(closing.settings->animationTime, 800u);
}

TEST(PanelWindow, TheWindowsLeftOpenGoWithTheirProgram)
{
    TestDevice device;
    device.WriteUtf16("a.ini", u"GLOBALSETTINGS\r\nStartUpAnimation=NoAnimation\r\n\r\nSPACE\r\n");
    ASSERT_TRUE(RegisterPanelClass());
    platform::WindowHandle first, second;
    {
        PanelProgram program;
        first = program.CreateLayoutWindow(u"\\a.ini");
        second = program.CreateLayoutWindow(u"\\a.ini");
        program.RemoveAndDestroyWindow(first);
        EXPECT_EQ(program.Windows(), std::vector<platform::WindowHandle> { second });
        EXPECT_FALSE(platform::IsWindow(first));
        EXPECT_TRUE(platform::IsWindow(second));
    }
    EXPECT_FALSE(platform::IsWindow(second));
}

}
