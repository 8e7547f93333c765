#include "platform/Drawing.h"
#include "platform/MessageBox.h"
#include "platform/System.h"
#include "platform/Windowing.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform;
using testing_support::EventsAre;
using testing_support::IsEvent;
using testing_support::TestDevice;
using testing_support::TraceEvent;

namespace {

// Each test sets what its windows do; the procedure only forwards and records.
struct Received {
    WindowHandle window;
    uint32_t message;
    WParam wParam;
    LParam lParam;
    uint32_t tick;
};
std::vector<Received> g_received;
std::function<LResult(WindowHandle, uint32_t, WParam, LParam)> g_handler;

LResult RecordingProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    g_received.push_back({ window, message, wParam, lParam, GetTickCount() });
    if (g_handler)
        return g_handler(window, message, wParam, lParam);
    return DefWindowProc(window, message, wParam, lParam);
}

class WindowSystemTest : public ::testing::Test {
protected:
    explicit WindowSystemTest(DeviceSettings settings = {})
        : device_(settings)
    {
        g_received.clear();
        g_handler = nullptr;
        RegisterClass({ u"Test.Class", 0, RecordingProcedure, 4, {} });
        RegisterClass({ u"Clicks.Class", ClassStyle::DoubleClicks, RecordingProcedure, 0, {} });
    }
    ~WindowSystemTest() override { g_handler = nullptr; }

    WindowHandle Create(int32_t x, int32_t y, int32_t w, int32_t h, std::u16string_view className = u"Test.Class")
    {
        return CreateWindowEx(0, className, u"", Style::Popup, x, y, w, h, {}, {}, nullptr);
    }

    std::vector<uint32_t> Messages(uint32_t first = 0, uint32_t last = 0xFFFFFFFF) const
    {
        std::vector<uint32_t> messages;
        for (auto const& r : g_received) {
            if (r.message >= first && r.message <= last)
                messages.push_back(r.message);
        }
        return messages;
    }

    TestDevice device_;
};

TEST_F(WindowSystemTest, PostedMessagesArriveAfterTheCurrentOneAndSentOnesReturnAtOnce)
{
    WindowHandle window = Create(0, 0, 10, 10);
    std::vector<std::string> order;
    g_handler = [&](WindowHandle w, uint32_t message, WParam wParam, LParam) -> LResult {
        if (message == Msg::App + 1) {
            order.push_back("first begins");
            PostMessage(w, Msg::App + 2, 0, 0);
            LResult answer = SendMessage(w, Msg::App + 3, 20, 0);
            order.push_back("sent answered " + std::to_string(answer));
            order.push_back("first ends");
        } else if (message == Msg::App + 2) {
            order.push_back("posted");
            PostQuitMessage(9);
        } else if (message == Msg::App + 3) {
            order.push_back("sent");
            return LResult(wParam) + 1;
        }
        return 0;
    };
    PostMessage(window, Msg::App + 1, 0, 0);
    EXPECT_EQ(RunMessageLoop(), 9);
    EXPECT_EQ(order, (std::vector<std::string> { "first begins", "sent", "sent answered 21", "first ends", "posted" }));
}

TEST_F(WindowSystemTest, QuitComesAfterWhatWasPostedBeforeIt)
{
    WindowHandle window = Create(0, 0, 10, 10);
    PostMessage(window, Msg::App, 1, 0);
    PostQuitMessage(-3);
    PostMessage(window, Msg::App, 2, 0);
    EXPECT_EQ(RunMessageLoop(), -3);
    ASSERT_EQ(Messages(Msg::App, Msg::App).size(), 2u);
    EXPECT_EQ(g_received.back().wParam, 2u);
    EXPECT_FALSE(PostMessage(WindowHandle { 999 }, Msg::App, 0, 0));
}

TEST_F(WindowSystemTest, RefusedCreationLeavesNoWindowButSeesItsDestruction)
{
    g_handler = [](WindowHandle, uint32_t message, WParam, LParam) -> LResult { return message == Msg::Create ? -1 : 0; };
    WindowHandle window = CreateWindowEx(0, u"Test.Class", u"", Style::Popup, 10, 10, 10, 10, {}, {}, nullptr);
    EXPECT_FALSE(window);
    EXPECT_FALSE(IsWindow(WindowHandle { 1 }));
    EXPECT_EQ(Messages(), (std::vector<uint32_t> { Msg::Create, Msg::Destroy }));
    EXPECT_THAT(device_.ParsedEvents("window"), EventsAre({
        { { "t", 0 }, { "event", "window" }, { "action", "create" }, { "id", 1 }, { "class", "Test.Class" },
            { "title", "" }, { "x", 10 }, { "y", 10 }, { "w", 10 }, { "h", 10 } },
        { { "t", 0 }, { "event", "window" }, { "action", "destroy" }, { "id", 1 } },
    }));
    EXPECT_FALSE(CreateWindowEx(0, u"No.Class", u"", 0, 0, 0, 1, 1, {}, {}, nullptr));
}

TEST_F(WindowSystemTest, CreationParameterReachesTheCreationHandler)
{
    int parameter = 42;
    void* seen = nullptr;
    g_handler = [&](WindowHandle, uint32_t message, WParam, LParam lParam) -> LResult {
        if (message == Msg::Create)
            seen = reinterpret_cast<CreateParameters const*>(lParam)->parameter;
        return 0;
    };
    EXPECT_TRUE(CreateWindowEx(0, u"Test.Class", u"", 0, 0, 0, 5, 5, {}, {}, &parameter));
    EXPECT_EQ(seen, &parameter);
}

TEST_F(WindowSystemTest, ExtraStorageKeepsAPointerInFourBytes)
{
    WindowHandle window = Create(0, 0, 10, 10);
    int state = 0;
    EXPECT_EQ(SetWindowLong(window, 0, reinterpret_cast<intptr_t>(&state)), 0);
    EXPECT_EQ(reinterpret_cast<int*>(GetWindowLong(window, 0)), &state);
    EXPECT_EQ(GetWindowLong(window, 4), 0); // beyond the class's four bytes
    EXPECT_EQ(SetWindowLong(window, 4, 1), 0);
}

TEST_F(WindowSystemTest, TimersFireAtTheirPeriodOnVirtualTime)
{
    WindowHandle window = Create(0, 0, 10, 10);
    SetTimer(window, 1, 100);
    SetTimer(window, 2, 250);
    g_handler = [&](WindowHandle w, uint32_t message, WParam wParam, LParam) -> LResult {
        if (message == Msg::Timer && wParam == 2) {
            KillTimer(w, 2);
            SetTimer(w, 3, 1000); // restarting from now: due at 1250
        }
        if (message == Msg::Timer && wParam == 3)
            PostQuitMessage(0);
        return 0;
    };
    RunMessageLoop();
    std::vector<std::pair<WParam, uint32_t>> fired;
    for (auto const& r : g_received) {
        if (r.message == Msg::Timer)
            fired.emplace_back(r.wParam, r.tick);
    }
    ASSERT_GE(fired.size(), 4u);
    EXPECT_EQ(fired[0], std::make_pair(WParam(1), 100u));
    EXPECT_EQ(fired[1], std::make_pair(WParam(1), 200u));
    EXPECT_EQ(fired[2], std::make_pair(WParam(2), 250u));
    EXPECT_EQ(fired[3], std::make_pair(WParam(1), 300u));
    EXPECT_EQ(fired.back(), std::make_pair(WParam(3), 1250u));
    EXPECT_EQ(fired.size(), 14u); // timer 1 at 100..1200, timer 2 once, timer 3 once
}

TEST_F(WindowSystemTest, WithNothingLeftToHappenTheLoopEndsAndTheTraceSaysSo)
{
    WindowHandle window = Create(0, 0, 10, 10);
    SetTimer(window, 7, 40);
    KillTimer(window, 7);
    RunMessageLoop();
    EXPECT_THAT(device_.ParsedTrace().back(), IsEvent({ { "t", 0 }, { "event", "end" } }));
    EXPECT_TRUE(device_.Device().RunEnded());
}

class WrappingTickTest : public WindowSystemTest {
protected:
    WrappingTickTest() : WindowSystemTest(WrappingSettings()) { }
    static DeviceSettings WrappingSettings()
    {
        DeviceSettings settings;
        settings.tick = 0xFFFFFFFF - 150;
        settings.until = 1000;
        return settings;
    }
};

TEST_F(WrappingTickTest, TimersKeepTheirPeriodAcrossTheWrapOfTheTickCount)
{
    WindowHandle window = Create(0, 0, 10, 10);
    SetTimer(window, 1, 100);
    RunMessageLoop();
    std::vector<uint32_t> ticks;
    for (auto const& r : g_received) {
        if (r.message == Msg::Timer)
            ticks.push_back(r.tick);
    }
    ASSERT_EQ(ticks.size(), 10u);
    for (size_t i = 1; i < ticks.size(); ++i)
        EXPECT_EQ(ticks[i] - ticks[i - 1], 100u);
    EXPECT_THAT(device_.ParsedTrace().back(), IsEvent({ { "t", 1000 }, { "event", "end" } }));
}

TEST_F(WindowSystemTest, AMessageBoxRunsItsOwnLoopWhileOpenAndLeavesQuitToTheOuterLoop)
{
    WindowHandle window = Create(0, 0, 10, 10);
    device_.Device().SetBoxTime(500);
    device_.Device().QueueAnswer(BoxAnswer::Yes);
    SetTimer(window, 1, 200);
    BoxResult result {};
    g_handler = [&](WindowHandle w, uint32_t message, WParam, LParam) -> LResult {
        if (message == Msg::App) {
            result = MessageBox({}, u"Der Prozess läuft schon.", u"Terminieren?", Box::YesNo | Box::IconWarning);
            PostQuitMessage(4);
        }
        if (message == Msg::Timer && GetTickCount() == 400)
            PostQuitMessage(1); // seen by the box, kept for the outer loop
        return 0;
        (void)w;
    };
    PostMessage(window, Msg::App, 0, 0);
    EXPECT_EQ(RunMessageLoop(), 4);
    EXPECT_EQ(result, BoxResult::Yes);
    std::vector<uint32_t> timerTicks;
    for (auto const& r : g_received) {
        if (r.message == Msg::Timer)
            timerTicks.push_back(r.tick);
    }
    EXPECT_EQ(timerTicks, (std::vector<uint32_t> { 200, 400 }));
    EXPECT_THAT(device_.ParsedEvents("msgbox").at(0),
        IsEvent({ { "t", 0 }, { "event", "msgbox" }, { "caption", "Terminieren?" }, { "text", "Der Prozess läuft schon." },
            { "icon", "warning" }, { "buttons", "yesno" }, { "owner", false }, { "foreground", false },
            { "topmost", false }, { "answer", "yes" } }));
}

TEST_F(WindowSystemTest, BoxesWithoutQueuedAnswersTakeOkOrNo)
{
    EXPECT_EQ(MessageBox({}, u"t", u"c", Box::Ok | Box::IconError | Box::SetForeground), BoxResult::Ok);
    EXPECT_EQ(MessageBox({}, u"t", u"c", Box::YesNoCancel | Box::TopMost), BoxResult::No);
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        { { "t", 0 }, { "event", "msgbox" }, { "caption", "c" }, { "text", "t" }, { "icon", "error" },
            { "buttons", "ok" }, { "owner", false }, { "foreground", true }, { "topmost", false }, { "answer", "ok" } },
        { { "t", 0 }, { "event", "msgbox" }, { "caption", "c" }, { "text", "t" }, { "icon", "none" },
            { "buttons", "yesnocancel" }, { "owner", false }, { "foreground", false }, { "topmost", true },
            { "answer", "no" } },
    }));
}

TEST_F(WindowSystemTest, PenInputGoesToTheWindowUnderThePointOrToTheCapture)
{
    WindowHandle lower = Create(0, 0, 100, 100);
    WindowHandle upper = Create(50, 50, 100, 100);
    ShowWindow(lower, kShow);
    ShowWindow(upper, kShow);
    auto& windows = device_.Device().Windows();
    windows.PenDown({ 60, 70 });
    windows.PenDown({ 10, 20 });
    SetCapture(lower);
    windows.PenUp({ 200, 5 });
    windows.PenUp({ 300, 300 }); // outside every window, but captured
    ReleaseCapture();
    windows.PenUp({ 300, 300 }); // the desktop: nobody hears it
    PostQuitMessage(0);
    RunMessageLoop();

    std::vector<Received> pen;
    for (auto const& r : g_received) {
        if (r.message >= Msg::LeftButtonDown && r.message <= Msg::LeftButtonDoubleClick)
            pen.push_back(r);
    }
    ASSERT_EQ(pen.size(), 4u);
    EXPECT_EQ(pen[0].window, upper);
    EXPECT_EQ(pen[0].lParam, MakeLParam(10, 20));
    EXPECT_EQ(pen[0].wParam, kKeyStateLeftButton);
    EXPECT_EQ(pen[1].window, lower);
    EXPECT_EQ(pen[1].lParam, MakeLParam(10, 20));
    EXPECT_EQ(pen[2].window, lower);
    EXPECT_EQ(pen[2].message, Msg::LeftButtonUp);
    EXPECT_EQ(pen[2].wParam, 0u);
    EXPECT_EQ(pen[2].lParam, MakeLParam(200, 5));
    EXPECT_EQ(pen[3].lParam, MakeLParam(300, 300));
}

TEST_F(WindowSystemTest, ASecondPressCloseInTimeAndPlaceIsADoubleClickForClassesThatAskForIt)
{
    WindowHandle clicks = Create(0, 0, 100, 100, u"Clicks.Class");
    WindowHandle plain = Create(200, 0, 100, 100);
    ShowWindow(clicks, kShow);
    ShowWindow(plain, kShow);
    auto& device = device_.Device();
    device.Schedule(0, [&] {
        device.Windows().PenDown({ 10, 10 });
        device.Windows().PenUp({ 10, 10 });
        device.Windows().PenDown({ 14, 14 }); // within four pixels: double click
        device.Windows().PenUp({ 14, 14 });
        device.Windows().PenDown({ 210, 10 }); // another class: two plain presses
        device.Windows().PenDown({ 210, 10 });
    });
    device.Schedule(1000, [&] { device.Windows().PenDown({ 10, 10 }); });
    device.Schedule(1400, [&] { device.Windows().PenDown({ 15, 10 }); }); // five pixels away
    device.Schedule(1800, [&] { device.Windows().PenDown({ 15, 10 }); });
    device.Schedule(2000, [&] { device.Windows().PenDown({ 15, 10 }); }); // after a double click, a plain press
    device.Schedule(2501, [&] { device.Windows().PenDown({ 15, 10 }); }); // too late
    RunMessageLoop();
    EXPECT_EQ(Messages(Msg::LeftButtonDown, Msg::LeftButtonDoubleClick),
        (std::vector<uint32_t> { Msg::LeftButtonDown, Msg::LeftButtonUp, Msg::LeftButtonDoubleClick, Msg::LeftButtonUp,
            Msg::LeftButtonDown, Msg::LeftButtonDown, Msg::LeftButtonDown, Msg::LeftButtonDown, Msg::LeftButtonDoubleClick,
            Msg::LeftButtonDown, Msg::LeftButtonDown }));
}

TEST_F(WindowSystemTest, TopMostWindowsStayAboveAndOnlyChangesAreTraced)
{
    WindowHandle first = Create(0, 0, 50, 50);
    WindowHandle second = Create(0, 0, 50, 50);
    ShowWindow(first, kShow);
    ShowWindow(second, kShow);
    EXPECT_EQ(device_.Device().Windows().WindowAt({ 5, 5 }), second);
    SetWindowPos(first, { InsertAfter::Kind::TopMost, {} }, 0, 0, 0, 0, PosFlag::NoMove | PosFlag::NoSize);
    ShowWindow(second, kShow);
    EXPECT_EQ(device_.Device().Windows().WindowAt({ 5, 5 }), first);

    MoveWindow(second, 0, 0, 50, 50);  // where it stands: no line
    MoveWindow(second, 5, 6, 7, 8);
    SetWindowText(second, u"Brellum v1.3");
    SetWindowText(second, u"Brellum v1.3");
    ShowWindow(second, kShowHide);
    ShowWindow(second, kShowHide);
    EXPECT_EQ(GetWindowRect(second), (Rect { 5, 6, 12, 14 }));
    auto events = device_.ParsedEvents("window");
    std::vector<TraceEvent> tail(events.end() - 5, events.end());
    EXPECT_THAT(tail, EventsAre({
        { { "t", 0 }, { "event", "window" }, { "action", "show" }, { "id", 2 } },
        { { "t", 0 }, { "event", "window" }, { "action", "topmost" }, { "id", 1 } },
        { { "t", 0 }, { "event", "window" }, { "action", "move" }, { "id", 2 }, { "x", 5 }, { "y", 6 }, { "w", 7 },
            { "h", 8 } },
        { { "t", 0 }, { "event", "window" }, { "action", "title" }, { "id", 2 }, { "title", "Brellum v1.3" } },
        { { "t", 0 }, { "event", "window" }, { "action", "hide" }, { "id", 2 } },
    }));
}

TEST_F(WindowSystemTest, KeysGoToTheFocusedWindowAndTheirStateFollows)
{
    WindowHandle window = CreateWindowEx(0, u"Test.Class", u"Brellum v1.3", Style::Caption | Style::SystemMenu, 0, 0,
        276, 88, {}, {}, nullptr);
    device_.Device().Windows().Key(193, true);
    EXPECT_EQ(GetAsyncKeyState(193), 0x8000);
    ShowWindow(window, kShow);
    device_.Device().Windows().Key(194, true);
    device_.Device().Windows().Key(194, false);
    EXPECT_EQ(GetAsyncKeyState(194), 0);
    PostQuitMessage(0);
    RunMessageLoop();
    EXPECT_EQ(Messages(Msg::KeyDown, Msg::KeyUp), (std::vector<uint32_t> { Msg::KeyDown, Msg::KeyUp }));
    Rect client = GetClientRect(window);
    EXPECT_EQ(client.Width(), 276 - 2);
    EXPECT_EQ(client.Height(), 88 - 2 - GetSystemMetrics(Metric::CaptionHeight));
}

TEST_F(WindowSystemTest, InvalidAreasBecomePaintMessagesAfterPostedOnesAndBeforeTimers)
{
    auto& windows = device_.Device().Windows();
    WindowHandle window = Create(0, 0, 100, 50);
    WindowHandle hidden = Create(0, 0, 10, 10);
    InvalidateRect(hidden, nullptr, true); // hidden windows do not paint
    ShowWindow(window, kShow);
    std::vector<WindowSystem::Invalid> painted;
    g_handler = [&](WindowHandle w, uint32_t message, WParam, LParam) -> LResult {
        if (message == Msg::Paint)
            painted.push_back(windows.Validate(w));
        if (message == Msg::App || message == Msg::Timer) {
            KillTimer(w, 1);
            PostQuitMessage(0);
        }
        return 0;
    };
    SetTimer(window, 1, 10);
    PostMessage(window, Msg::App + 1, 0, 0);
    RunMessageLoop();
    EXPECT_EQ(Messages(Msg::Paint, Msg::App + 1), (std::vector<uint32_t> { Msg::App + 1, Msg::Paint, Msg::Timer }));

    g_received.clear();
    Rect first { 10, 10, 20, 20 };
    Rect second { 50, 0, 60, 5 };
    InvalidateRect(window, &first, false);
    InvalidateRect(window, &second, false);
    MoveWindow(window, 0, 0, 120, 50); // a plain class repaints only what it gained
    SetTimer(window, 1, 10);
    RunMessageLoop();
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[0].rect, (Rect { 0, 0, 100, 50 }));
    EXPECT_TRUE(painted[0].erase);
    EXPECT_EQ(painted[1].rect, (Rect { 10, 0, 120, 50 }));

    WindowHandle redraws = CreateWindowEx(0, u"Clicks.Class", u"", 0, 0, 0, 10, 10, {}, {}, nullptr);
    RegisterClass({ u"Redraw.Class", ClassStyle::VerticalRedraw, RecordingProcedure, 0, {} });
    WindowHandle whole = CreateWindowEx(0, u"Redraw.Class", u"", 0, 0, 0, 10, 10, {}, {}, nullptr);
    MoveWindow(redraws, 0, 0, 10, 12);
    MoveWindow(whole, 0, 0, 10, 12);
    EXPECT_EQ(windows.Validate(redraws).rect, (Rect { 0, 10, 10, 12 }));
    EXPECT_EQ(windows.Validate(whole).rect, (Rect { 0, 0, 10, 12 }));
}

TEST_F(WindowSystemTest, HugeSizesFromFilesSaturateInsteadOfOverflowing)
{
    WindowHandle window = Create(2000000000, 0, 2000000000, 10);
    ASSERT_TRUE(window);
    EXPECT_EQ(GetWindowRect(window).right, INT32_MAX);
    EXPECT_LE(device_.Device().Windows().Find(window)->picture.Width(), 4096);
}

}
