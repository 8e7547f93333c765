#include "platform/Keys.h"
#include "platform/Tray.h"
#include "platform/Windowing.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

using namespace platform;
using testing_support::EventsAre;
using testing_support::TestDevice;

namespace {

std::vector<Message> g_messages;

LResult Recording(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    g_messages.push_back({ window, message, wParam, lParam });
    return DefWindowProc(window, message, wParam, lParam);
}

class KeysAndTrayTest : public ::testing::Test {
protected:
    KeysAndTrayTest()
    {
        g_messages.clear();
        RegisterClass({ u"Keys.Class", 0, Recording, 0, {} });
        window_ = CreateWindowEx(0, u"Keys.Class", u"", 0, 0, 0, 50, 50, {}, {}, nullptr);
        other_ = CreateWindowEx(0, u"Keys.Class", u"", 0, 60, 0, 50, 50, {}, {}, nullptr);
        g_messages.clear();
    }

    void Drain()
    {
        PostQuitMessage(0);
        RunMessageLoop();
    }

    TestDevice device_;
    WindowHandle window_;
    WindowHandle other_;
};

TEST_F(KeysAndTrayTest, ARegisteredKeyNotifiesItsWindowAloneAndCannotBeTakenTwice)
{
    ShowWindow(other_, kShow); // the focused window
    EXPECT_TRUE(RegisterHotKey(window_, 193, 0, 193));
    EXPECT_FALSE(RegisterHotKey(other_, 7, 0, 193));
    auto& windows = device_.Device().Windows();
    windows.Key(193, true);
    windows.Key(193, false);
    windows.Key(65, true);
    Drain();
    std::vector<uint32_t> kinds;
    for (auto const& m : g_messages)
        kinds.push_back(m.message);
    ASSERT_EQ(kinds, (std::vector<uint32_t> { Msg::HotKey, Msg::KeyUp, Msg::KeyDown }));
    EXPECT_EQ(g_messages[0].window, window_);
    EXPECT_EQ(g_messages[0].wParam, 193u);
    EXPECT_EQ(HighWord(uintptr_t(g_messages[0].lParam)), 193);
    EXPECT_EQ(g_messages[1].window, other_);

    EXPECT_TRUE(UnregisterHotKey(window_, 193));
    EXPECT_FALSE(UnregisterHotKey(window_, 193));
    EXPECT_THAT(device_.ParsedEvents("hotkey"), EventsAre({
        { { "t", 0 }, { "event", "hotkey" }, { "action", "register" }, { "id", 193 }, { "vk", 193 }, { "ok", true } },
        { { "t", 0 }, { "event", "hotkey" }, { "action", "register" }, { "id", 7 }, { "vk", 193 }, { "ok", false } },
        { { "t", 0 }, { "event", "hotkey" }, { "action", "unregister" }, { "id", 193 }, { "vk", 193 }, { "ok", true } },
        { { "t", 0 }, { "event", "hotkey" }, { "action", "unregister" }, { "id", 193 }, { "vk", 0 }, { "ok", false } },
    }));
}

TEST_F(KeysAndTrayTest, SynthesisedKeysAreTracedAndTypedLikeRealOnes)
{
    ShowWindow(other_, kShow);
    KeybdEvent(194, 0, kKeyEventSilent, 0);
    EXPECT_EQ(GetAsyncKeyState(194), 0x8000);
    KeybdEvent(194, 0, kKeyEventKeyUp, 0);
    EXPECT_EQ(GetAsyncKeyState(194), 0);
    EXPECT_THAT(device_.ParsedEvents("keybd"), EventsAre({
        { { "t", 0 }, { "event", "keybd" }, { "vk", 194 }, { "flags", 4 } },
        { { "t", 0 }, { "event", "keybd" }, { "vk", 194 }, { "flags", 2 } },
    }));
}

TEST_F(KeysAndTrayTest, TheTrayIconIsAddedChangedClickedAndDeleted)
{
    Surface picture(16, 16, 0x00FF00);
    AddIconResource(102, picture);
    AddIconResource(103, Surface(16, 16, 0x808080));
    EXPECT_FALSE(LoadIcon({}, 104));
    IconHandle active = LoadIcon({}, 102);
    ASSERT_TRUE(active);
    EXPECT_EQ(IconPicture(active)->Row(0)[0], 0x00FF00u);

    NotifyIconData data;
    data.window = window_;
    data.id = 1;
    data.flags = Tray::HasMessage | Tray::HasIcon;
    data.callbackMessage = Msg::App + 1;
    data.icon = active;
    device_.Device().TrayClick(); // no icon yet: nothing
    EXPECT_TRUE(ShellNotifyIcon(Tray::Add, data));
    EXPECT_FALSE(ShellNotifyIcon(Tray::Add, data));
    data.flags = Tray::HasIcon;
    data.icon = LoadIcon({}, 103);
    EXPECT_TRUE(ShellNotifyIcon(Tray::Modify, data));
    device_.Device().TrayClick();
    data.flags = 0;
    EXPECT_TRUE(ShellNotifyIcon(Tray::Delete, data));
    EXPECT_FALSE(ShellNotifyIcon(Tray::Modify, data));
    Drain();
    ASSERT_EQ(g_messages.size(), 1u);
    EXPECT_EQ(g_messages[0].message, Msg::App + 1);
    EXPECT_EQ(g_messages[0].wParam, 1u);
    EXPECT_EQ(g_messages[0].lParam, 0x0201);
    EXPECT_THAT(device_.ParsedEvents("tray"), EventsAre({
        { { "t", 0 }, { "event", "tray" }, { "action", "add" }, { "icon", 102 }, { "ok", true } },
        { { "t", 0 }, { "event", "tray" }, { "action", "add" }, { "icon", 102 }, { "ok", false } },
        { { "t", 0 }, { "event", "tray" }, { "action", "modify" }, { "icon", 103 }, { "ok", true } },
        { { "t", 0 }, { "event", "tray" }, { "action", "delete" }, { "icon", nullptr }, { "ok", true } },
        { { "t", 0 }, { "event", "tray" }, { "action", "modify" }, { "icon", nullptr }, { "ok", false } },
    }));
}

}
