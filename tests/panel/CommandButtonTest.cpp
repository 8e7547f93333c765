#include "panel/buttons/CommandButton.h"
#include "panel/core/AnimationKind.h"
#include "panel/core/PanelMessages.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Shell.h"
#include "platform/Windowing.h"
#include "tests/panel/ButtonPicture.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace panel;
using namespace platform;
using testing_support::BoxEvent;
using testing_support::EventsAre;
using testing_support::IsEvent;
using testing_support::ShellEvent;
using testing_support::TestDevice;

namespace {

// What the panel window got from its buttons, read while it handled each message.
struct Received {
    uint32_t message;
    WParam wParam;
    LParam lParam;
    std::u16string layoutFile;
};
std::vector<Received> g_received;

LResult RecordingProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    if (message == Msg::Close || message == SwitchLayoutMessage) {
        Received received { message, wParam, lParam, {} };
        if (message == SwitchLayoutMessage)
            received.layoutFile = reinterpret_cast<char16_t const*>(wParam);
        g_received.push_back(received);
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

std::string const kMissingQuote = R"(Fehlendes " im Command:)";
std::string const kBadValue = "CommandButton - Ignoriere Fehler:";

class CommandButtonTest : public ::testing::Test {
protected:
    CommandButtonTest()
    {
        g_received.clear();
        WindowClass panelClass;
        panelClass.name = u"Panel.Test";
        panelClass.procedure = RecordingProcedure;
        RegisterClass(panelClass);
        window_ = CreateWindowEx(0, u"Panel.Test", u"", Style::Popup, 0, 0, 100, 50, {}, {}, nullptr);
        device_.WriteBytes("Windows/prog.exe", "");
        device_.WriteBytes("Program Files/x.exe", "");
    }

    // A 40 x 20 button read from a layout file in \panel\, line by line.
    std::unique_ptr<CommandButton> Button(std::initializer_list<std::u16string_view> lines)
    {
        auto button = std::make_unique<CommandButton>(window_);
        button->SetFolder(u"\\panel\\");
        button->ReadValue(u"Width=40");
        button->ReadValue(u"Height=20");
        for (auto line : lines)
            button->ReadValue(line);
        button->SetFolder(nullptr);
        return button;
    }

    static void Tap(CommandButton& button)
    {
        ASSERT_TRUE(button.OnPress(3, 4));
        ASSERT_TRUE(button.OnRelease(3, 4));
    }

    // Lets the window handle everything the buttons posted.
    static std::vector<Received> const& Delivered()
    {
        PostQuitMessage(0);
        Message message;
        while (GetMessage(message))
            DispatchMessage(message);
        return g_received;
    }

    TestDevice device_;
    WindowHandle window_;
};

TEST_F(CommandButtonTest, OnlyAQuotedFirstWordIsSplitOffAsTheFile)
{
    auto withParameters = Button({ u"Command=\"\\Windows\\prog.exe\"  -a -b" });
    auto quotedAlone = Button({ u"Command=\"\\Windows\\prog.exe\"" });
    auto unquotedWithBlanks = Button({ u"Command=\\Program Files\\x.exe" });
    auto quotedWithBlanks = Button({ u"Command=\"\\Program Files\\x.exe\" \"a b\"  " });
    Tap(*withParameters);
    Tap(*quotedAlone);
    Tap(*unquotedWithBlanks);
    Tap(*quotedWithBlanks);
    Tap(*withParameters);
    EXPECT_THAT(device_.ParsedEvents("shell"), EventsAre({
        ShellEvent(R"(\Windows\prog.exe)", "-a -b", 1),
        ShellEvent(R"(\Windows\prog.exe)", "", 2),
        ShellEvent(R"(\Program Files\x.exe)", "", 3),
        ShellEvent(R"(\Program Files\x.exe)", R"("a b"  )", 4),
        ShellEvent(R"(\Windows\prog.exe)", "-a -b", 5),
    }));
    EXPECT_TRUE(device_.Events("msgbox").empty());
    EXPECT_TRUE(Delivered().empty());

    // The simulated shell numbers process handles from 1: the panel has closed every one.
    for (uint32_t handle = 1; handle <= 5; ++handle) {
        uint32_t exitCode = 0;
        EXPECT_FALSE(GetExitCodeProcess(ProcessHandle { handle }, exitCode)) << handle;
    }
}

TEST_F(CommandButtonTest, AnUnclosedQuoteIsReportedAtEveryPressAndNothingElseHappens)
{
    auto unclosed = Button({ u"Command=\"\\Windows\\prog.exe -a", u"QuitOnExecute=1", u"ExitCode=4" });
    auto loneQuote = Button({ u"Command=\"", u"QuitOnExecute=1" });
    Tap(*unclosed);
    Tap(*unclosed);
    Tap(*loneQuote);
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent(kMissingQuote, R"("\Windows\prog.exe -a)", "error", true, true),
        BoxEvent(kMissingQuote, R"("\Windows\prog.exe -a)", "error", true, true),
        BoxEvent(kMissingQuote, "\"", "error", true, true),
    }));
    EXPECT_TRUE(device_.Events("shell").empty());
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(CommandButtonTest, OnlyAReleaseInsideAfterAPressRunsTheCommand)
{
    auto button = Button({ u"Command=\\Windows\\prog.exe" });
    EXPECT_FALSE(button->OnRelease(3, 4));

    // Slid off before lifting, on every side: redrawn, nothing runs.
    for (auto [x, y] : { std::pair(40, 4), std::pair(-1, 4), std::pair(3, 20), std::pair(3, -1), std::pair(-5, -5) }) {
        EXPECT_TRUE(button->OnPress(3, 4));
        EXPECT_TRUE(button->OnRelease(x, y)) << x << "," << y;
    }
    EXPECT_FALSE(button->OnRelease(3, 4));
    // The inside test is signed: a negative width holds no point at all.
    auto negative = Button({ u"Command=\\Windows\\prog.exe", u"Width=-5" });
    EXPECT_TRUE(negative->OnPress(3, 4));
    EXPECT_TRUE(negative->OnRelease(3, 4));
    EXPECT_TRUE(device_.Events("shell").empty());

    EXPECT_TRUE(button->OnPress(0, 0));
    EXPECT_TRUE(button->OnRelease(39, 19));
    EXPECT_TRUE(button->OnPress(0, 0));
    EXPECT_TRUE(button->OnRelease(0, 0));
    EXPECT_EQ(device_.Events("shell").size(), 2u);
}

TEST_F(CommandButtonTest, QuitOnExecutePostsTheCloseRequestWithTheExitCode)
{
    auto quitOnly = Button({ u"QuitOnExecute=1", u"ExitCode=3" });
    auto negative = Button({ u"ExitCode=-7", u"QuitOnExecute=y" });
    auto ja = Button({ u"QuitOnExecute=ja" });
    auto capitalJa = Button({ u"QuitOnExecute=Ja" });
    auto trueWord = Button({ u"QuitOnExecute=true" });
    auto turnedOff = Button({ u"QuitOnExecute=1", u"QuitOnExecute=0" });
    auto notStarted = Button({ u"Command=\\missing.exe", u"QuitOnExecute=1", u"ExitCode=5" });
    for (auto* button : { &quitOnly, &negative, &ja, &capitalJa, &trueWord, &turnedOff, &notStarted })
        Tap(**button);

    std::vector<std::pair<WParam, LParam>> closes;
    for (auto const& received : Delivered()) {
        EXPECT_EQ(received.message, Msg::Close);
        closes.emplace_back(received.wParam, received.lParam);
    }
    EXPECT_EQ(closes, (std::vector<std::pair<WParam, LParam>> { { 3, 0 }, { WParam(uint32_t(-7)), 0 }, { 0, 0 }, { 5, 0 } }));
    // A command that cannot start is not reported; the close request still follows.
    EXPECT_THAT(device_.ParsedEvents("shell"), EventsAre({ ShellEvent(R"(\missing.exe)", "", std::nullopt) }));
    EXPECT_TRUE(device_.Events("msgbox").empty());
}

TEST_F(CommandButtonTest, NewIniIsResolvedFromTheLayoutFolderAndTheLaterLineWins)
{
    device_.WriteBytes("panel/other.ini", "");
    auto relative = Button({ u"Command=\\Windows\\prog.exe", u"NewIni=other.ini" });
    auto parent = Button({ u"NewIni=..\\top.ini" });
    auto absolute = Button({ u"NewIni=/abs/x.ini" });
    auto commandLast = Button({ u"NewIni=other.ini", u"Command=\\Windows\\prog.exe" });
    for (auto* button : { &relative, &parent, &absolute, &commandLast })
        Tap(**button);
    // Without ShutDownAnimation a layout file is opened like any document.
    EXPECT_THAT(device_.ParsedEvents("shell"), EventsAre({
        ShellEvent(R"(\panel\other.ini)", "", 1),
        ShellEvent(R"(\top.ini)", "", std::nullopt),
        ShellEvent("/abs/x.ini", "", std::nullopt),
        ShellEvent(R"(\Windows\prog.exe)", "", 2),
    }));

    // Once the layout file has been read there is no folder to resolve against.
    EXPECT_FALSE(relative->ReadValue(u"NewIni=late.ini"));
    Tap(*relative);
    EXPECT_THAT(device_.ParsedEvents("shell").back(), IsEvent(ShellEvent(R"(\panel\other.ini)", "", 3)));
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({ BoxEvent(kBadValue, "NewIni=late.ini", "warning", true, false) }));
}

TEST_F(CommandButtonTest, ShutDownAnimationSwitchesTheLayoutInsteadOfStartingIt)
{
    auto flyLeft = Button({ u"NewIni=other.ini", u"ShutDownAnimation=FlyLeftXYZ", u"QuitOnExecute=1", u"ExitCode=2" });
    auto still = Button({ u"ShutDownAnimation=NoAnimation", u"Command=\\next.ini" });
    auto animationOnly = Button({ u"ShutDownAnimation=RollDown" });
    Tap(*flyLeft);
    Tap(*still);
    Tap(*animationOnly);
    Tap(*flyLeft);

    auto const& received = Delivered();
    ASSERT_EQ(received.size(), 5u);
    EXPECT_EQ(received[0].message, SwitchLayoutMessage);
    EXPECT_EQ(received[0].layoutFile, u"\\panel\\other.ini");
    EXPECT_EQ(received[0].lParam, FlyLeft);
    EXPECT_EQ(received[1].message, Msg::Close);
    EXPECT_EQ(received[1].wParam, 2u);
    EXPECT_EQ(received[2].message, SwitchLayoutMessage);
    EXPECT_EQ(received[2].layoutFile, u"\\next.ini");
    EXPECT_EQ(received[2].lParam, NoAnimation);
    // The button keeps owning its text: every switch points at the same one.
    EXPECT_EQ(received[3].message, SwitchLayoutMessage);
    EXPECT_EQ(received[3].wParam, received[0].wParam);
    EXPECT_EQ(received[3].layoutFile, u"\\panel\\other.ini");
    EXPECT_EQ(received[4].message, Msg::Close);
    EXPECT_TRUE(device_.Events("shell").empty());
}

TEST_F(CommandButtonTest, BadValuesAreReportedUnderTheButtonsCaptionAndChangeNothing)
{
    auto button = Button({ u"Command=\\Windows\\prog.exe" });
    EXPECT_FALSE(button->ReadValue(u"Command="));
    EXPECT_FALSE(button->ReadValue(u"NewIni=   "));
    EXPECT_FALSE(button->ReadValue(u"QuitOnExecute="));
    EXPECT_FALSE(button->ReadValue(u"ExitCode="));
    EXPECT_FALSE(button->ReadValue(u"ShutDownAnimation=Sideways"));
    EXPECT_FALSE(button->ReadValue(u"ShutDownAnimation="));
    EXPECT_FALSE(button->ReadValue(u"Colour=FF0000"));
    EXPECT_FALSE(button->ReadValue(u"Width="));
    EXPECT_FALSE(button->ReadValue(u"Command=", false));
    EXPECT_FALSE(button->ReadValue(u"Interval=5", false));
    EXPECT_TRUE(button->ReadValue(u"xpos=20"));
    EXPECT_EQ(button->GetX(), 20);
    EXPECT_EQ(button->GetWidth(), 40);
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent(kBadValue, "Command=", "warning", true, false),
        BoxEvent(kBadValue, "NewIni=   ", "warning", true, false),
        BoxEvent(kBadValue, "QuitOnExecute=", "warning", true, false),
        BoxEvent(kBadValue, "ExitCode=", "warning", true, false),
        BoxEvent(kBadValue, "ShutDownAnimation=Sideways", "warning", true, false),
        BoxEvent(kBadValue, "ShutDownAnimation=", "warning", true, false),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Colour=FF0000", "warning", true, false),
        BoxEvent("DesktopObject - Ignoriere Fehler:", "Width=", "warning", true, false),
    }));

    // The rejected lines left the command, the quit flag and the plain shell start alone.
    Tap(*button);
    EXPECT_THAT(device_.ParsedEvents("shell"), EventsAre({ ShellEvent(R"(\Windows\prog.exe)", "", 1) }));
    EXPECT_TRUE(Delivered().empty());
}

TEST_F(CommandButtonTest, AButtonWithoutKeysDrawsNothingAndDoesNothingWhenTapped)
{
    auto button = Button({ u"x=2", u"y=3" });
    ScratchBitmap backBuffer(60, 30, true);
    uint32_t* const first = backBuffer.CursorAt(0, backBuffer.Height() - 1).pixel;
    std::fill(first, first + 60 * 30, 0x123456u);
    button->Draw(backBuffer, 2, 3);
    EXPECT_EQ(std::count(first, first + 60 * 30, 0x123456u), 60 * 30);

    Tap(*button);
    EXPECT_TRUE(device_.Events("shell").empty());
    EXPECT_TRUE(device_.Events("msgbox").empty());
    EXPECT_TRUE(Delivered().empty());
}

}
