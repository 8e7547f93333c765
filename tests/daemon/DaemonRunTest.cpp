// Whole runs of the daemon on the simulated device, where message boxes run
// nested loops and other keys and the window's close arrive meanwhile.

#include "daemon/BrellumMain.h"
#include "platform/window/Messages.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using testing_support::EventsHave;
using testing_support::HasFields;
using testing_support::JsonOf;
using testing_support::TestDevice;
using Lines = std::vector<std::string>;

namespace {

struct DaemonRun {
    DaemonRun()
    {
        device.WriteBytes("prog1.exe", "");
        device.WriteBytes("prog2.exe", "");
        device.WriteBytes("prog3.exe", "");
    }

    void Press(uint32_t key, uint64_t down, uint64_t up)
    {
        auto& windows = device.Device().Windows();
        device.Device().Schedule(down, [&windows, key] { windows.Key(key, true); });
        device.Device().Schedule(up, [&windows, key] { windows.Key(key, false); });
    }

    void At(uint64_t at, std::function<void()> action) { device.Device().Schedule(at, std::move(action)); }

    void CloseAt(uint64_t at)
    {
        auto& windows = device.Device().Windows();
        At(at, [&windows] { windows.PostMessage(windows.Windows().front(), platform::Msg::Close, 0, 0); });
    }

    // "register 193" for every registration made or dropped.
    Lines HotKeys()
    {
        Lines lines;
        for (auto const& event : device.ParsedEvents("hotkey"))
            lines.push_back(std::get<std::string>(event.At("action")) + " " + testing_support::JsonOf(event.At("vk")));
        return lines;
    }

    TestDevice device;
};

}

TEST(DaemonRun, AnotherKeyLoadsANewFileWhileTheQuestionIsOpen)
{
    DaemonRun run;
    run.device.WriteUtf16("Brellum.ini", u"BRELLUM\nKeyCode=193\nCommand=\\prog1.exe\n\n"
                                         u"BRELLUM\nKeyCode=194\nCommand=\\prog2.exe\nNewIni=\\second.ini\n");
    run.device.WriteUtf16("second.ini", u"BRELLUM\nKeyCode=195\nCommand=\\prog3.exe\n");
    // Had the first key's question outlived the file it came from, "yes" would end prog1.
    run.device.Device().QueueAnswer(platform::BoxAnswer::Yes);
    run.Press(193, 100, 1300);
    run.At(1400, [&run] { run.device.Device().SetBoxTime(3000); });
    run.Press(193, 1500, 2700);
    // The question is open from 2700 to 5700; this press is judged at 4100, inside it.
    run.Press(194, 2900, 4100);
    run.Press(195, 7000, 8200);
    run.CloseAt(9000);

    EXPECT_EQ(brellum::BrellumMain(u"\\Brellum.ini"), 0);

    EXPECT_TRUE(run.device.Events("terminate").empty());
    EXPECT_THAT(run.device.ParsedEvents("shell"),
        EventsHave({ { { "file", "\\prog1.exe" } }, { { "file", "\\prog2.exe" } }, { { "file", "\\prog3.exe" } } }));
    EXPECT_THAT(run.device.ParsedEvents("msgbox"), EventsHave({ { { "caption", "Terminieren?" } } }));
    EXPECT_THAT(run.device.ParsedEvents("window").at(2), HasFields({ { "title", "Brellum v1.3 (1 aktiv)" } }));
    EXPECT_EQ(run.HotKeys(), (Lines {
        "register 193", "register 194",
        "unregister 193", "unregister 194",
        "register 195",
        "unregister 195",
    }));
}

TEST(DaemonRun, TheWindowClosedWhileTheQuestionIsOpen)
{
    DaemonRun run;
    run.device.WriteUtf16("Brellum.ini", u"BRELLUM\nKeyCode=193\nCommand=\\prog1.exe\n");
    // Had the question outlived the window, "yes" would end prog1.
    run.device.Device().QueueAnswer(platform::BoxAnswer::Yes);
    run.Press(193, 100, 1300);
    run.At(1400, [&run] { run.device.Device().SetBoxTime(1000); });
    run.Press(193, 1500, 2700);
    run.CloseAt(3000);

    EXPECT_EQ(brellum::BrellumMain(u"\\Brellum.ini"), 0);

    EXPECT_EQ(run.device.Events("shell").size(), 1u);
    EXPECT_EQ(run.device.Events("msgbox").size(), 1u);
    EXPECT_TRUE(run.device.Events("terminate").empty());
    EXPECT_EQ(run.HotKeys(), (Lines { "register 193", "unregister 193" }));
    EXPECT_THAT(run.device.ParsedEvents("window").back(), HasFields({ { "action", "destroy" } }));
}

TEST(DaemonRun, MinimisedWindowGoesIntoTheTrayWithTheImageOfTheState)
{
    DaemonRun run;
    run.device.WriteUtf16("Brellum.ini", u"BRELLUM\nKeyCode=193\nCommand=\\prog1.exe\n");
    auto& windows = run.device.Device().Windows();
    auto post = [&windows](uint32_t message, platform::WParam wParam, platform::LParam lParam) {
        windows.PostMessage(windows.Windows().front(), message, wParam, lParam);
    };
    // Opened from the tray, the keys switched off with "D", then minimised.
    run.At(100, [&post] { post(0x8001, 1, platform::Msg::LeftButtonDown); });
    run.At(200, [&windows, &post] {
        platform::Rect client = windows.ClientRect(windows.Windows().front());
        post(platform::Msg::LeftButtonDown, 1, platform::MakeLParam(uint16_t(client.Width() - 5), 5));
    });
    run.At(300, [&post] { post(platform::Msg::SystemCommand, platform::SystemCommand::Minimize, 0); });
    run.At(400, [&post] { post(0x8001, 1, platform::Msg::LeftButtonDown); });
    run.CloseAt(500);

    EXPECT_EQ(brellum::BrellumMain(u"\\Brellum.ini"), 0);

    EXPECT_THAT(run.device.ParsedEvents("tray"),
        EventsHave({
            { { "t", 0 }, { "action", "add" }, { "icon", 102 }, { "ok", true } },
            { { "t", 100 }, { "action", "delete" }, { "ok", true } },
            { { "t", 300 }, { "action", "add" }, { "icon", 103 }, { "ok", true } },
            { { "t", 400 }, { "action", "delete" }, { "ok", true } },
            { { "t", 500 }, { "action", "delete" }, { "ok", false } },
        }));
    Lines shownAndHidden;
    for (auto const& event : run.device.ParsedEvents("window")) {
        auto const& action = std::get<std::string>(event.At("action"));
        if (action == "show" || action == "hide")
            shownAndHidden.push_back(JsonOf(event.At("t")) + " " + action);
    }
    EXPECT_EQ(shownAndHidden, (Lines { "100 show", "300 hide", "400 show" }));
    // Switched off before, the keys stay off in the tray.
    EXPECT_EQ(run.HotKeys(), (Lines { "register 193", "unregister 193" }));
}
