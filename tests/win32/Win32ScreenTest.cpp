#include "platform/Windowing.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/WindowsApi.h"
#include "platform/window/Messages.h"
#include "platform/window/WindowSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace platform;

namespace {

std::vector<Message> g_messages;
int g_timerTicks = 0;
BoxResult g_boxAnswer {};

LResult Recording(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    g_messages.push_back({ window, message, wParam, lParam });
    // The third tick answers the system's box that is open meanwhile.
    if (message == Msg::Timer && ++g_timerTicks == 3) {
        if (HWND box = FindWindowW(L"#32770", L"Warten"))
            PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    return platform::DefWindowProc(window, message, wParam, lParam);
}

class Win32ScreenTest : public ::testing::Test {
protected:
    Win32ScreenTest()
    {
        g_messages.clear();
        g_timerTicks = 0;
        windows().RegisterClass({ u"Screen.Test", 0, Recording, 0, {} });
        window_ = windows().CreateWindow(0, u"Screen.Test", u"Seite", Style::Popup, Rect::FromSize(10, 20, 100, 50), {}, {},
            nullptr);
        windows().ShowWindow(window_, kShow);
        screen().Present();
        g_messages.clear();
    }

    WindowSystem& windows() { return backend_.Windows(); }
    Win32Screen& screen() { return static_cast<Win32Screen&>(backend_.Screen()); }
    HWND shown() { return screen().WindowOf(window_); }

    // Runs what is posted, then stops.
    void Drain()
    {
        windows().PostQuitMessage(0);
        Message message;
        while (windows().GetMessage(message))
            windows().DispatchMessage(message);
    }

    std::vector<uint32_t> Received(uint32_t first, uint32_t last)
    {
        std::vector<uint32_t> kinds;
        for (Message const& message : g_messages) {
            if (message.message >= first && message.message <= last)
                kinds.push_back(message.message);
        }
        return kinds;
    }

    Win32Backend backend_;
    ScopedBackend installed_ { backend_ };
    WindowHandle window_;
};

}

TEST_F(Win32ScreenTest, EachOfOurWindowsIsASystemWindowAtItsPlace)
{
    ASSERT_NE(shown(), nullptr);
    RECT place {};
    GetWindowRect(shown(), &place);
    EXPECT_EQ(place.left, 10);
    EXPECT_EQ(place.top, 20);
    EXPECT_EQ(place.right - place.left, 100);
    EXPECT_EQ(place.bottom - place.top, 50);
    EXPECT_TRUE(IsWindowVisible(shown()));
    // A page is a tool window, off the task bar, that takes no focus.
    LONG_PTR extended = GetWindowLongPtrW(shown(), GWL_EXSTYLE);
    EXPECT_TRUE(extended & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(extended & WS_EX_NOACTIVATE);

    windows().SetWindowPos(window_, { InsertAfter::Kind::TopMost, {} }, Rect::FromSize(30, 40, 80, 60), 0);
    screen().Present();
    GetWindowRect(shown(), &place);
    EXPECT_EQ(place.left, 30);
    EXPECT_EQ(place.bottom - place.top, 60);
    EXPECT_TRUE(GetWindowLongPtrW(shown(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    windows().ShowWindow(window_, kShowHide);
    EXPECT_FALSE(IsWindowVisible(shown()));
    HWND system = shown();
    windows().DestroyWindow(window_);
    EXPECT_FALSE(IsWindow(system));
}

TEST_F(Win32ScreenTest, TheSystemsInputReachesOurWindowAsPenAndKeys)
{
    SendMessageW(shown(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageW(shown(), WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    SendMessageW(shown(), WM_KEYDOWN, 0x41, 1);
    SendMessageW(shown(), WM_KEYUP, 0x41, LPARAM(0xC0000001u));
    SendMessageW(shown(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessageW(shown(), WM_CLOSE, 0, 0);
    // The system's minimise and close leave the decision to the program.
    EXPECT_TRUE(IsWindowVisible(shown()));
    Drain();
    std::vector<uint32_t> expected { Msg::LeftButtonDown, 0x0202, Msg::KeyDown, Msg::KeyUp, Msg::SystemCommand, Msg::Close };
    std::vector<uint32_t> kinds;
    for (Message const& message : g_messages) {
        if (std::find(expected.begin(), expected.end(), message.message) != expected.end())
            kinds.push_back(message.message);
    }
    EXPECT_EQ(kinds, expected);
    auto down = std::find_if(g_messages.begin(), g_messages.end(), [](Message const& m) { return m.message == Msg::LeftButtonDown; });
    ASSERT_NE(down, g_messages.end());
    EXPECT_EQ(LowWord(uintptr_t(down->lParam)), 5);
    EXPECT_EQ(HighWord(uintptr_t(down->lParam)), 6);
}

TEST_F(Win32ScreenTest, OurTimersGoOnWhileTheSystemsBoxIsOpen)
{
    windows().SetTimer(window_, 1, 50);
    g_boxAnswer = backend_.Dialogs().MessageBox(window_, u"Die Uhr läuft weiter.", u"Warten", Box::OkCancel);
    EXPECT_EQ(g_boxAnswer, BoxResult::Ok);
    EXPECT_GE(g_timerTicks, 3);
}

TEST_F(Win32ScreenTest, WhatIsDrawnIsWhatTheSystemWindowShows)
{
    Surface* picture = windows().PictureOf(window_);
    ASSERT_NE(picture, nullptr);
    for (int32_t y = 0; y < picture->Height(); ++y) {
        for (int32_t x = 0; x < picture->Width(); ++x)
            picture->Row(y)[x] = y < 10 ? 0x00FF0000 : 0x000000FF; // red band above blue
    }
    picture->AddDamage({ 0, 0, picture->Width(), picture->Height() });
    screen().Present();
    HDC context = GetDC(shown());
    COLORREF top = GetPixel(context, 50, 5);
    COLORREF below = GetPixel(context, 50, 30);
    ReleaseDC(shown(), context);
    EXPECT_EQ(top, RGB(0xFF, 0, 0));
    EXPECT_EQ(below, RGB(0, 0, 0xFF));
}
