#include "daemon/BindingSet.h"
#include "platform/Windowing.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

using brellum::BindingSet;
using testing_support::HasFields;
using testing_support::JsonOf;
using testing_support::TestDevice;
using Lines = std::vector<std::string>;

namespace {

// A plain window that takes the registrations, and a set loaded from `text`.
struct Registered {
    explicit Registered(std::u16string_view text)
    {
        platform::WindowClass windowClass;
        windowClass.name = u"BindingSetTest";
        windowClass.procedure = platform::DefWindowProc;
        platform::RegisterClass(windowClass);
        window = platform::CreateWindowEx(0, u"BindingSetTest", u"", 0, 0, 0, 10, 10, {}, {}, nullptr);
        set = std::make_unique<BindingSet>(window, 0x8002);
        device.WriteUtf16("b.ini", text);
        set->LoadBindingFile(u"\\b.ini");
    }

    // "re 193 true" for every registration made or dropped: its action, key and outcome.
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
    std::unique_ptr<BindingSet> set;
};

constexpr platform::LParam KeyInfo(uint16_t key) { return platform::MakeLParam(0, key); }

}

TEST(BindingSet, RegistersEveryRealKeyOnce)
{
    Registered keys(u"BRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=0\n\n"
                    u"BRELLUM\nKeyCode=449\n\nBRELLUM\nKeyCode=-63\n\nBRELLUM\nKeyCode=194\n");
    ASSERT_EQ(keys.set->Count(), 6u);
    keys.set->RegisterKeys();
    keys.set->Deactivate();
    keys.set->Deactivate();
    EXPECT_TRUE(keys.set->Disabled());
    keys.set->Activate();
    keys.set->Activate();
    EXPECT_FALSE(keys.set->Disabled());
    keys.set->Deactivate();
    // Released while inactive: nothing is registered, so nothing is dropped.
    keys.set->ReleaseBindings();
    EXPECT_EQ(keys.set->Count(), 0u);
    EXPECT_EQ(keys.HotKeys(), (Lines {
        "re 193 true", "re 194 true",
        "un 193 true", "un 194 true",
        "re 193 true", "re 194 true",
        "un 193 true", "un 194 true",
    }));
}

TEST(BindingSet, OnlyTheFirstBindingOfARealKeyIsPressed)
{
    Registered keys(u"BRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=193\n\nBRELLUM\nKeyCode=449\n\nBRELLUM\nKeyCode=0\n");
    keys.set->RegisterKeys();
    auto const& bindings = keys.set->Bindings();
    keys.set->OnKeyPressed(193, KeyInfo(194));
    EXPECT_FALSE(bindings[0]->isDown);
    keys.set->OnKeyPressed(449, KeyInfo(449));
    keys.set->OnKeyPressed(0, KeyInfo(0));
    EXPECT_FALSE(bindings[2]->isDown);
    EXPECT_FALSE(bindings[3]->isDown);
    keys.set->OnKeyPressed(193, KeyInfo(193));
    EXPECT_TRUE(bindings[0]->isDown);
    EXPECT_FALSE(bindings[1]->isDown);
    // Timer ticks of keys nobody serves are ignored.
    keys.set->OnPressTimer(449);
    keys.set->OnPressTimer(12);
    EXPECT_TRUE(keys.device.Events("keybd").empty());
}

TEST(BindingSet, AReleasedKeyIsHandedBackOrRunsItsCommand)
{
    Registered keys(u"BRELLUM\nKeyCode=193\nCommand=\\prog.exe\n\nBRELLUM\nKeyCode=66\nCommand=\\prog.exe\n");
    keys.device.WriteBytes("prog.exe", "");
    keys.set->RegisterKeys();
    auto const& bindings = keys.set->Bindings();

    // The key is up at the first tick, with no time gone: a tap.
    keys.set->OnKeyPressed(193, KeyInfo(193));
    keys.set->OnPressTimer(193);
    EXPECT_FALSE(bindings[0]->isDown);
    EXPECT_EQ(keys.device.Events("keybd").size(), 2u);
    EXPECT_TRUE(keys.device.Events("shell").empty());
    EXPECT_EQ(keys.HotKeys(), (Lines { "re 193 true", "re 66 true", "un 193 true", "re 193 true" }));

    // Let go by the window's "D" while held: handed back, but not registered again.
    keys.set->OnKeyPressed(66, KeyInfo(66));
    keys.set->Deactivate();
    keys.set->OnPressTimer(66);
    EXPECT_EQ(keys.device.Events("keybd").size(), 4u);
    EXPECT_EQ(keys.HotKeys().size(), 6u);
    EXPECT_THAT(keys.device.ParsedEvents("keybd").at(2), HasFields({ { "flags", 4 } }));
    EXPECT_THAT(keys.device.ParsedEvents("keybd").at(3), HasFields({ { "flags", 2 } }));
}

TEST(BindingSet, WithElapseTimeZeroEveryPressRunsTheCommand)
{
    Registered keys(u"BRELLUM\nKeyCode=193\nCommand=\\prog.exe\n\nSETTINGS\nElapseTime=0\n");
    keys.device.WriteBytes("prog.exe", "");
    keys.set->RegisterKeys();
    for (int press = 0; press < 2; ++press) {
        keys.set->OnKeyPressed(193, KeyInfo(193));
        keys.set->OnPressTimer(193);
    }
    EXPECT_TRUE(keys.device.Events("keybd").empty());
    ASSERT_EQ(keys.device.Events("shell").size(), 1u);
    EXPECT_THAT(keys.device.ParsedEvents("shell")[0], HasFields({ { "process", 1 } }));
    // The second press finds the program running and asks; the default answer is No.
    ASSERT_EQ(keys.device.Events("msgbox").size(), 1u);
    EXPECT_THAT(keys.device.ParsedEvents("msgbox")[0], HasFields({ { "caption", "Terminieren?" } }));
    EXPECT_TRUE(keys.device.Events("terminate").empty());
    EXPECT_FALSE(keys.set->Bindings()[0]->isDown);
}
