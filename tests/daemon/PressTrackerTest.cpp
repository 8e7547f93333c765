#include "daemon/PressTracker.h"
#include "platform/Windowing.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

using brellum::PressTracker;
using testing_support::HasFields;
using testing_support::JsonOf;
using testing_support::TestDevice;
using Lines = std::vector<std::string>;

namespace {

// A plain window that takes the registrations, and a tracker of the bindings in `text`.
struct Registered {
    explicit Registered(std::u16string_view text)
    {
        platform::WindowClass windowClass;
        windowClass.name = u"PressTrackerTest";
        windowClass.procedure = platform::DefWindowProc;
        platform::RegisterClass(windowClass);
        window = platform::CreateWindowEx(0, u"PressTrackerTest", u"", 0, 0, 0, 10, 10, {}, {}, nullptr);
        keys = std::make_unique<PressTracker>(window, 0x8002);
        device.WriteUtf16("b.ini", text);
        keys->LoadFirstFile(u"\\b.ini");
    }

    // "register 193" for every registration made or dropped.
    Lines HotKeys()
    {
        Lines lines;
        for (auto const& event : device.ParsedEvents("hotkey")) {
            lines.push_back(std::get<std::string>(event.At("action")).substr(0, 2) + " " + JsonOf(event.At("vk")) + " "
                + JsonOf(event.At("ok")));
        }
        return lines;
    }

    TestDevice device;
    platform::WindowHandle window;
    std::unique_ptr<PressTracker> keys;
};

constexpr platform::LParam KeyInfo(uint16_t key) { return platform::MakeLParam(0, key); }

}

TEST(PressTracker, RegistersEveryRealKeyOnce)
{
    Registered run(u"BRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=0\n\n"
                   u"BRELLUM\nKeyCode=449\n\nBRELLUM\nKeyCode=-63\n\nBRELLUM\nKeyCode=194\n");
    ASSERT_EQ(run.keys->Bindings().Count(), 6u);
    run.keys->RegisterKeys();
    run.keys->Deactivate();
    run.keys->Deactivate();
    EXPECT_TRUE(run.keys->Disabled());
    run.keys->Activate();
    run.keys->Activate();
    EXPECT_FALSE(run.keys->Disabled());
    run.keys->Deactivate();
    // Released while inactive: nothing is registered, so nothing is dropped.
    run.keys->ReleaseBindings();
    EXPECT_EQ(run.keys->Bindings().Count(), 0u);
    EXPECT_EQ(run.HotKeys(), (Lines {
        "re 193 true", "re 194 true",
        "un 193 true", "un 194 true",
        "re 193 true", "re 194 true",
        "un 193 true", "un 194 true",
    }));
}

TEST(PressTracker, OnlyTheFirstBindingOfARealKeyIsPressed)
{
    Registered run(u"BRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=449\n\nBRELLUM\nKeyCode=0\n");
    run.keys->RegisterKeys();
    run.keys->OnKeyPressed(193, KeyInfo(194));
    EXPECT_FALSE(run.keys->PressOf(0).isDown);
    run.keys->OnKeyPressed(449, KeyInfo(449));
    run.keys->OnKeyPressed(0, KeyInfo(0));
    EXPECT_FALSE(run.keys->PressOf(2).isDown);
    EXPECT_FALSE(run.keys->PressOf(3).isDown);
    run.keys->OnKeyPressed(193, KeyInfo(193));
    EXPECT_TRUE(run.keys->PressOf(0).isDown);
    EXPECT_FALSE(run.keys->PressOf(1).isDown);
    // Timer ticks of keys nobody serves are ignored.
    run.keys->OnPressTimer(449);
    run.keys->OnPressTimer(12);
    EXPECT_TRUE(run.device.Events("keybd").empty());
}

TEST(PressTracker, AReleasedKeyIsHandedBackOrRunsItsCommand)
{
    Registered run(u"BRELLUM\nKeyCode=193\nCommand=\\prog.exe\n\nBRELLUM\nKeyCode=66\nCommand=\\prog.exe\n");
    run.device.WriteBytes("prog.exe", "");
    run.keys->RegisterKeys();

    // The key is up at the first tick, with no time gone: a tap.
    run.keys->OnKeyPressed(193, KeyInfo(193));
    run.keys->OnPressTimer(193);
    EXPECT_FALSE(run.keys->PressOf(0).isDown);
    EXPECT_EQ(run.device.Events("keybd").size(), 2u);
    EXPECT_TRUE(run.device.Events("shell").empty());
    EXPECT_EQ(run.HotKeys(), (Lines { "re 193 true", "re 66 true", "un 193 true", "re 193 true" }));

    // Let go by the window's "D" while held: handed back, but not registered again.
    run.keys->OnKeyPressed(66, KeyInfo(66));
    run.keys->Deactivate();
    run.keys->OnPressTimer(66);
    EXPECT_EQ(run.device.Events("keybd").size(), 4u);
    EXPECT_EQ(run.HotKeys().size(), 6u);
    EXPECT_THAT(run.device.ParsedEvents("keybd").at(2), HasFields({ { "flags", 4 } }));
    EXPECT_THAT(run.device.ParsedEvents("keybd").at(3), HasFields({ { "flags", 2 } }));
}

TEST(PressTracker, WithElapseTimeZeroEveryPressRunsTheCommand)
{
    Registered run(u"BRELLUM\nKeyCode=193\nCommand=\\prog.exe\n\nSETTINGS\nElapseTime=0\n");
    run.device.WriteBytes("prog.exe", "");
    run.keys->RegisterKeys();
    for (int press = 0; press < 2; ++press) {
        run.keys->OnKeyPressed(193, KeyInfo(193));
        run.keys->OnPressTimer(193);
    }
    EXPECT_TRUE(run.device.Events("keybd").empty());
    ASSERT_EQ(run.device.Events("shell").size(), 1u);
    EXPECT_THAT(run.device.ParsedEvents("shell")[0], HasFields({ { "process", 1 } }));
    // The second press finds the program running and asks; the default answer is No.
    ASSERT_EQ(run.device.Events("msgbox").size(), 1u);
    EXPECT_THAT(run.device.ParsedEvents("msgbox")[0], HasFields({ { "caption", "Terminieren?" } }));
    EXPECT_TRUE(run.device.Events("terminate").empty());
    EXPECT_FALSE(run.keys->PressOf(0).isDown);
}

TEST(PressTracker, EndingLetsGoOfRegistrationsAndTimers)
{
    Registered run(u"BRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=194\n");
    auto const& windows = run.device.Device().Windows();
    run.keys->RegisterKeys();
    run.keys->OnKeyPressed(193, KeyInfo(193));
    EXPECT_TRUE(windows.HasTimers());
    run.keys.reset();
    EXPECT_FALSE(windows.HasTimers());
    EXPECT_EQ(run.HotKeys(), (Lines { "re 193 true", "re 194 true", "un 193 true", "un 194 true" }));
}
