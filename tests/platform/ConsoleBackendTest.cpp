#include "platform/MessageBox.h"
#include "platform/System.h"
#include "platform/Tray.h"
#include "platform/Windowing.h"
#include "platform/host/ConsoleBackend.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class ConsoleBackendTest : public ::testing::Test {
protected:
    ConsoleBackend backend_;
    ScopedBackend installed_ { backend_ };
};

}

TEST_F(ConsoleBackendTest, BoxesGoToStandardErrorAndAnswerAsIfClosed)
{
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox({}, u"Weiter?", u"Frage", Box::YesNo | Box::IconQuestion), BoxResult::No);
    EXPECT_EQ(MessageBox({}, u"Fertig", u"Info", Box::OkCancel), BoxResult::Ok);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Frage\nWeiter?\n\nInfo\nFertig\n\n");
}

TEST_F(ConsoleBackendTest, WithoutAScreenThereIsNoAreaNoTrayAndTheDevicesCaption)
{
    EXPECT_EQ(GetSystemMetrics(Metric::ScreenWidth), 0);
    EXPECT_EQ(GetSystemMetrics(Metric::ScreenHeight), 0);
    EXPECT_EQ(GetSystemMetrics(Metric::CaptionHeight), 20);
    EXPECT_EQ(GetWorkArea(), Rect {});
    NotifyIconData icon;
    EXPECT_FALSE(ShellNotifyIcon(Tray::Add, icon));
}

TEST_F(ConsoleBackendTest, OnlyATimerWakesTheLoopAndItWakesWhenDue)
{
    EXPECT_FALSE(backend_.Screen().WaitForEvents(std::nullopt)) << "no input can ever come";
    uint32_t deadline = GetTickCount() + 30;
    EXPECT_TRUE(backend_.Screen().WaitForEvents(deadline));
    EXPECT_GE(int32_t(GetTickCount() - deadline), 0);
}
