#include "platform/Keys.h"
#include "platform/Tray.h"
#include "platform/Windowing.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/WindowsApi.h"
#include "platform/window/Messages.h"
#include "platform/window/WindowSystem.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

constexpr uint32_t kTrayMessage = 0x8001;
constexpr uint32_t kF9 = 0x78;
std::vector<Message> g_received;

LResult Recording(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    if (message == kTrayMessage || message == Msg::HotKey)
        g_received.push_back({ window, message, wParam, lParam });
    return platform::DefWindowProc(window, message, wParam, lParam);
}

class Win32KeysAndTrayTest : public ::testing::Test {
protected:
    Win32KeysAndTrayTest()
    {
        g_received.clear();
        windows().RegisterClass({ u"Keys.Test", 0, Recording, 0, {} });
        window_ = windows().CreateWindow(0, u"Keys.Test", u"Tasten", Style::Popup, Rect::FromSize(0, 0, 40, 40), {}, {},
            nullptr);
        Surface picture(16, 16, 0x3A6EA5);
        AddIconResource(1, std::move(picture));
    }

    WindowSystem& windows() { return backend_.Windows(); }

    // The window that receives the system's notifications for the keys and the tray.
    static HWND Receiver() { return FindWindowExW(HWND_MESSAGE, nullptr, L"VessarineKeys", nullptr); }

    void Drain()
    {
        windows().PostQuitMessage(0);
        Message message;
        while (windows().GetMessage(message))
            windows().DispatchMessage(message);
    }

    NotifyIconData Icon(uint32_t flags)
    {
        NotifyIconData data;
        data.window = window_;
        data.id = 4;
        data.flags = flags;
        data.callbackMessage = kTrayMessage;
        data.icon = LoadIcon({}, 1);
        return data;
    }

    Win32Backend backend_;
    ScopedBackend installed_ { backend_ };
    WindowHandle window_;
};

}

TEST_F(Win32KeysAndTrayTest, AnIconIsAddedOnceAndItsClicksComeBackToItsWindow)
{
    KeysAndTray& keys = backend_.Keys();
    EXPECT_TRUE(keys.NotifyIcon(Tray::Add, Icon(Tray::HasMessage | Tray::HasIcon | Tray::HasTip)));
    EXPECT_FALSE(keys.NotifyIcon(Tray::Add, Icon(Tray::HasIcon))) << "added twice";
    EXPECT_TRUE(keys.NotifyIcon(Tray::Modify, Icon(Tray::HasIcon)));

    ASSERT_NE(Receiver(), nullptr);
    SendMessageW(Receiver(), WM_APP + 2, 1, WM_LBUTTONDOWN);
    Drain();
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].window, window_);
    EXPECT_EQ(g_received[0].wParam, 4u);
    EXPECT_EQ(g_received[0].lParam, LParam(Msg::LeftButtonDown));

    EXPECT_TRUE(keys.NotifyIcon(Tray::Delete, Icon(0)));
    EXPECT_FALSE(keys.NotifyIcon(Tray::Delete, Icon(0)));
    EXPECT_FALSE(keys.NotifyIcon(Tray::Modify, Icon(Tray::HasIcon)));
}

TEST_F(Win32KeysAndTrayTest, ARegisteredKeyReachesItsWindowAsTheHotKeyMessageAndIsTakenOnce)
{
    ASSERT_TRUE(windows().RegisterHotKey(window_, 7, 0, kF9));
    SendMessageW(Receiver(), WM_HOTKEY, 0, MAKELPARAM(0, kF9));
    Drain();
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].message, Msg::HotKey);
    EXPECT_EQ(g_received[0].wParam, 7u);
    EXPECT_EQ(HighWord(uintptr_t(g_received[0].lParam)), kF9);

    // Another registration of the same key anywhere on the system is refused.
    Win32KeysAndTray other(windows());
    EXPECT_FALSE(other.GrabKey(kF9, 0, true));

    EXPECT_TRUE(windows().UnregisterHotKey(window_, 7));
    EXPECT_TRUE(other.GrabKey(kF9, 0, true)) << "the key stayed taken";
    EXPECT_TRUE(other.GrabKey(kF9, 0, false));
}
