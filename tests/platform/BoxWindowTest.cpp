#include "platform/Drawing.h"
#include "platform/System.h"
#include "platform/Windowing.h"
#include "platform/dialog/BoxLayout.h"
#include "platform/dialog/BoxWindow.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

using namespace platform;
using testing_support::TestDevice;

namespace {

constexpr uint32_t kEnter = 0x0D;
constexpr uint32_t kEscape = 0x1B;
constexpr uint32_t kFacePixel = 0xC0C0C0;

std::vector<uint32_t> g_timerTicks;

int g_pens = 0;

LResult Recorder(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    if (message == Msg::Timer)
        g_timerTicks.push_back(GetTickCount());
    if (message == Msg::LeftButtonDown || message == Msg::LeftButtonUp)
        ++g_pens;
    return DefWindowProc(window, message, wParam, lParam);
}

// 'r' red, 'y' yellow, 'b' blue, '-' anything else.
char Hue(uint32_t pixel)
{
    bool red = (pixel >> 16 & 0xFF) > 0xC0, green = (pixel >> 8 & 0xFF) > 0xC0, blue = (pixel & 0xFF) > 0xC0;
    return red && !green && !blue ? 'r' : red && green && !blue ? 'y' : blue && !red ? 'b' : '-';
}

class BoxWindowTest : public ::testing::Test {
protected:
    BoxWindowTest()
    {
        g_timerTicks.clear();
        g_pens = 0;
        RegisterClass({ u"Owner.Class", 0, Recorder, 0, {} });
        owner_ = CreateWindowEx(0, u"Owner.Class", u"", Style::Popup | Style::Visible, 0, 0, 50, 50, {}, {}, nullptr);
        focused_ = CreateWindowEx(0, u"Owner.Class", u"", Style::Popup | Style::Visible, 60, 0, 50, 50, {}, {}, nullptr);
    }

    WindowSystem& Windows() { return device_.Device().Windows(); }
    WindowHandle Box() { return Windows().ZOrder().front(); }
    uint32_t PixelOfBox(int32_t x, int32_t y) { return Windows().PictureOf(Box())->Row(y)[x]; }
    void Type(uint32_t key)
    {
        Windows().Key(key, true);
        Windows().Key(key, false);
    }

    // Something to do `delay` after the next box opens.
    void Then(uint64_t delay, std::function<void()> action) { device_.Device().Schedule(start_ + delay, std::move(action)); }

    // The box opens from the loop, as a program opens one; the loop ends after it.
    BoxResult Open(std::u16string_view text, uint32_t flags, std::u16string_view caption = u"Hinweis")
    {
        BoxResult result {};
        device_.Device().Schedule(start_, [&] {
            result = RunBoxWindow(owner_, text, caption, flags);
            PostQuitMessage(0);
        });
        RunMessageLoop();
        start_ = device_.Device().Now();
        return result;
    }

    TestDevice device_;
    WindowHandle owner_;
    WindowHandle focused_;
    uint64_t start_ = 0;
};

TEST_F(BoxWindowTest, TheBoxStandsCentredAndIsSizedAroundItsText)
{
    std::u16string const shortText = u"Gespeichert.", threeLines = u"eins\r\nzwei\r\ndrei", fourLines = threeLines + u"\r\nvier";
    std::u16string const paragraph = u"Das Hintergrundbild kann nicht gefunden werden oder es ist keine gültige Bitmapdatei. "
                                     u"Bitte prüfen Sie den Pfad in den Einstellungen.";
    std::map<std::u16string, Rect> boxes;
    for (std::u16string const& text : { shortText, threeLines, fourLines, paragraph, std::u16string(150, u'W') }) {
        Then(100, [&] {
            boxes[text] = GetWindowRect(Box());
            Type(kEnter);
        });
        Open(text, Box::Ok | Box::IconWarning);
    }
    for (auto const& [text, rect] : boxes) {
        EXPECT_LE(std::abs(rect.left + rect.right - 480), 1);
        EXPECT_LE(std::abs(rect.top + rect.bottom - 272), 1);
        EXPECT_LE(rect.Width(), 480 * 2 / 3); // long words are broken too
    }
    TextMetrics metrics;
    DeviceContext screen = GetDC({});
    ASSERT_TRUE(GetTextMetrics(screen, metrics));
    ReleaseDC({}, screen);
    EXPECT_EQ(boxes[fourLines].Height() - boxes[threeLines].Height(), metrics.height);
    EXPECT_GT(boxes[paragraph].Width(), boxes[shortText].Width());
    EXPECT_GT(boxes[paragraph].Height(), boxes[shortText].Height() + metrics.height);
}

TEST_F(BoxWindowTest, KeysAnswerTheDefaultOrTheCancellingButtonAndTheFocusComesBack)
{
    for (auto [flags, key, answer] : { std::tuple { Box::OkCancel, kEnter, BoxResult::Ok }, std::tuple { Box::YesNo, kEnter, BoxResult::Yes },
             std::tuple { Box::YesNo, kEscape, BoxResult::No }, std::tuple { Box::OkCancel, kEscape, BoxResult::Cancel },
             std::tuple { Box::YesNoCancel, kEscape, BoxResult::Cancel }, std::tuple { Box::Ok, kEscape, BoxResult::Ok } }) {
        Then(100, [&] {
            EXPECT_EQ(Windows().Focus(), Box());
            Type(key);
        });
        EXPECT_EQ(Open(u"Weiter?", flags), answer) << flags << " " << key;
        EXPECT_EQ(Windows().Focus(), focused_);
    }

    // Escape does nothing without a cancelling button; the focused window goes
    // meanwhile, so the focus falls back to the owner.
    Then(100, [&] { Type(kEscape); });
    Then(200, [&] {
        DestroyWindow(focused_);
        Type(kEnter);
    });
    EXPECT_EQ(Open(u"Fehler beim Lesen.", Box::AbortRetryIgnore), BoxResult::Abort);
    EXPECT_EQ(Windows().Focus(), owner_);
}

TEST_F(BoxWindowTest, APressAnswersTheButtonReleasedOnAndShowsItPushedMeanwhile)
{
    BoxLayout const layout = LayOutBox(u"Speichern?", u"Hinweis", Box::YesNoCancel);
    Rect const yes = layout.buttons.at(0).rect;
    Rect const no = layout.buttons.at(1).rect;
    Point const onYes { layout.window.left + (yes.left + yes.right) / 2, layout.window.top + (yes.top + yes.bottom) / 2 };
    Point const onNo { layout.window.left + (no.left + no.right) / 2, layout.window.top + (no.top + no.bottom) / 2 };
    uint32_t defaultCorner = 1, raisedCorner = 0, pushedCorner = 1;
    Then(100, [&] {
        defaultCorner = PixelOfBox(yes.left, yes.top);
        raisedCorner = PixelOfBox(no.left, no.top);
        Windows().PenDown(onNo);
    });
    Then(200, [&] {
        pushedCorner = PixelOfBox(no.left, no.top);
        Windows().PenUp(onNo);
    });
    EXPECT_EQ(Open(u"Speichern?", Box::YesNoCancel), BoxResult::No);
    EXPECT_EQ(defaultCorner, 0x000000u); // ringed in the frame colour
    EXPECT_EQ(raisedCorner, 0xFFFFFFu);
    EXPECT_EQ(pushedCorner, 0x000000u);

    // Released elsewhere, on the desktop or on another button, a press answers nothing.
    for (Point release : { Point { 1, 1 }, onYes }) {
        Then(100, [&] { Windows().PenDown(onNo); });
        Then(200, [&] { Windows().PenUp(release); });
        Then(300, [&] {
            EXPECT_FALSE(GetCapture());
            Type(kEnter);
        });
        EXPECT_EQ(Open(u"Speichern?", Box::YesNoCancel), BoxResult::Yes);
    }
}

TEST_F(BoxWindowTest, OtherWindowsTakeNoTapsWhileTheBoxIsOpenAndDoAfter)
{
    auto tap = [this] {
        Windows().PenDown({ 70, 10 }); // on the window beside the box
        Windows().PenUp({ 70, 10 });
    };
    Then(100, tap);
    Then(200, [&] { Type(kEnter); });
    EXPECT_EQ(Open(u"Gespeichert.", Box::Ok), BoxResult::Ok);
    EXPECT_EQ(g_pens, 0);

    tap();
    PostQuitMessage(0);
    RunMessageLoop();
    EXPECT_EQ(g_pens, 2);
}

TEST_F(BoxWindowTest, OtherWindowsRunOnAndAQuitRequestClosesTheBoxButStaysPending)
{
    SetTimer(owner_, 1, 100);
    Then(1000, [&] { Type(kEnter); });
    EXPECT_EQ(Open(u"Läuft.", Box::Ok), BoxResult::Ok);
    KillTimer(owner_, 1);
    EXPECT_EQ(g_timerTicks, (std::vector<uint32_t> { 100, 200, 300, 400, 500, 600, 700, 800, 900 }));

    BoxResult answer {};
    device_.Device().Schedule(start_, [&] { answer = RunBoxWindow({}, u"Beenden?", u"Frage", Box::YesNo); });
    Then(300, [] { PostQuitMessage(5); });
    EXPECT_EQ(RunMessageLoop(), 5);
    EXPECT_EQ(answer, BoxResult::No);

    // The end of the run closes an open box the same way, and opens no more.
    start_ = device_.Device().Now();
    WindowHandle box;
    device_.Device().Schedule(start_, [&] { answer = RunBoxWindow({}, u"Abbrechen?", u"Frage", Box::OkCancel); });
    Then(100, [&] { box = Box(); });
    RunMessageLoop();
    EXPECT_TRUE(device_.Device().RunEnded());
    EXPECT_EQ(answer, BoxResult::Cancel);
    ASSERT_TRUE(box);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(RunBoxWindow({}, u"Noch da?", u"Frage", Box::AbortRetryIgnore), BoxResult::Ok);
}

TEST_F(BoxWindowTest, ThePictureHasACaptionBarAButtonFaceAndTheIconOfItsKind)
{
    for (auto [icon, hue] : { std::pair { Box::IconError, 'r' }, std::pair { Box::IconQuestion, 'b' },
             std::pair { Box::IconWarning, 'y' }, std::pair { Box::IconInformation, 'b' }, std::pair { 0u, '-' } }) {
        BoxLayout const layout = LayOutBox(u"Datei fehlt.", u"Fehler", icon);
        // Without an icon, the text begins where one would stand.
        Rect const square = icon ? layout.icon : LayOutBox(u"Datei fehlt.", u"Fehler", Box::IconError).icon;
        uint32_t bar = 0, face = 0;
        std::map<uint32_t, int32_t> counts;
        Then(100, [&] {
            bar = PixelOfBox(layout.caption.right - 2, layout.caption.top + 1);
            face = PixelOfBox(layout.caption.right - 2, layout.caption.bottom + 2);
            for (int32_t y = square.top; y < square.bottom; ++y) {
                for (int32_t x = square.left; x < square.right; ++x)
                    counts[PixelOfBox(x, y)] += PixelOfBox(x, y) != kFacePixel;
            }
            Type(kEnter);
        });
        Open(u"Datei fehlt.", icon, u"Fehler");
        EXPECT_EQ(bar, 0x000080u);
        EXPECT_EQ(face, kFacePixel);
        auto dominant = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) { return a.second < b.second; });
        EXPECT_GT(dominant->second, 0);
        EXPECT_EQ(Hue(dominant->first), hue) << std::hex << icon << " " << dominant->first;
    }
}

}
