#include "panel/buttons/WindowsButton.h"
#include "platform/Drawing.h"
#include "tests/panel/BackBuffer.h"
#include "tests/panel/ButtonPicture.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace panel;
using namespace platform;
using namespace testing_support;

namespace {

constexpr uint32_t kBackground = 0x00FF00;
constexpr uint32_t kFace = 0xC0C0C0;

// W highlight, L light, S shadow, D dark shadow, F the system face, r and b the chosen faces.
std::map<uint32_t, char> const kLegend { { kBackground, '.' }, { 0xFFFFFF, 'W' }, { 0xE0E0E0, 'L' }, { kFace, 'F' },
    { 0x808080, 'S' }, { 0x000000, 'D' }, { 0xFF0000, 'r' }, { 0x0000FF, 'b' } };

// Caption pixels: the frame and the system face are grey, the captions in these tests are not.
bool Coloured(uint32_t pixel)
{
    return pixel != kBackground && (Red(pixel) != Green(pixel) || Green(pixel) != Blue(pixel));
}

class WindowsButtonTest : public ::testing::Test {
protected:
    WindowsButtonTest()
    {
        device_.WriteBytes("Windows/prog.exe", "");
    }

    std::unique_ptr<WindowsButton> Button(std::initializer_list<std::u16string_view> lines)
    {
        auto button = std::make_unique<WindowsButton>(window_);
        for (auto line : lines)
            button->ReadValue(line);
        PrepareOnScreen(*button);
        return button;
    }

    static std::unique_ptr<BackBuffer> Drawn(WindowsButton& button, int32_t width, int32_t height, int32_t x = 1,
        int32_t y = 1)
    {
        auto buffer = std::make_unique<BackBuffer>(kBackground, width, height);
        button.Draw(buffer->Surface(), x, y);
        return buffer;
    }

    static Size SizeOf(DesktopObject const& object) { return { object.GetWidth(), object.GetHeight() }; }

    TestDevice device_;
    WindowHandle window_ = MakePanelWindow();
};

}

TEST_F(WindowsButtonTest, TheFrameSinksInPlaceAroundTheFaceColourOfEachState)
{
    // A caption of one line break draws no ink.
    auto button = Button({ u"Width=8", u"Height=6", u"ColorNormal=FF0000", u"ColorPushed=0000FF", u"Text=\\n" });
    EXPECT_EQ(Drawn(*button, 10, 8)->Look(kLegend), (Rows {
        "..........",
        ".WWWWWWWD.",
        ".WLLLLLSD.",
        ".WLrrrrSD.",
        ".WLrrrrSD.",
        ".WSSSSSSD.",
        ".DDDDDDDD.",
        "..........",
    }));
    ASSERT_TRUE(button->OnPress(2, 2));
    EXPECT_EQ(Drawn(*button, 10, 8)->Look(kLegend), (Rows {
        "..........",
        ".DDDDDDDW.",
        ".DSSSSSLW.",
        ".DSbbbbLW.",
        ".DSbbbbLW.",
        ".DLLLLLLW.",
        ".WWWWWWWW.",
        "..........",
    }));
}

TEST_F(WindowsButtonTest, WithoutColoursBothStatesShowTheSystemButtonFace)
{
    auto button = Button({ u"Width=60", u"Height=20", u"Text=\\n" });
    EXPECT_EQ(button->FaceColor(ImageButton::Normal), GetSysColor(0x4000000F));
    EXPECT_EQ(button->FaceColor(ImageButton::Pushed), GetSysColor(0x4000000F));
    auto normal = Drawn(*button, 62, 22);
    ASSERT_TRUE(button->OnPress(0, 0));
    auto pushed = Drawn(*button, 62, 22);
    // The face is the 56 x 16 rectangle inside the 60 x 20 frame.
    EXPECT_EQ(normal->InkBounds([](uint32_t pixel) { return pixel != kBackground; }), (Rect { 1, 1, 61, 21 }));
    EXPECT_EQ(pushed->InkBounds([](uint32_t pixel) { return pixel != kBackground; }), (Rect { 1, 1, 61, 21 }));
    for (auto const* buffer : { normal.get(), pushed.get() }) {
        EXPECT_EQ(buffer->InkBounds([](uint32_t pixel) { return pixel == kFace; }), (Rect { 3, 3, 59, 19 }));
        EXPECT_EQ(buffer->At(30, 10), kFace);
    }
    EXPECT_EQ(normal->At(1, 1), 0xFFFFFFu);
    EXPECT_EQ(pushed->At(1, 1), 0x000000u);
}

TEST_F(WindowsButtonTest, PressedOnlyTheCaptionMovesByTheOffset)
{
    auto button = Button({ u"Width=60", u"Height=20", u"Offset=3", u"Color=FF0000", u"Text=Go" });
    auto normal = Drawn(*button, 70, 30, 4, 5);
    ASSERT_TRUE(button->OnPress(1, 1));
    auto pushed = Drawn(*button, 70, 30, 4, 5);

    Rect const before = normal->InkBounds(Coloured);
    Rect const after = pushed->InkBounds(Coloured);
    ASSERT_NE(before, Rect {});
    EXPECT_EQ(after, (Rect { before.left + 3, before.top + 3, before.right + 3, before.bottom + 3 }));
    // Centred in the button's width, from its top.
    EXPECT_EQ(before.left - 4, 4 + 60 - before.right);
    EXPECT_LE(before.top, 5 + 3);

    auto frame = [](uint32_t pixel) { return pixel != kBackground && !Coloured(pixel); };
    EXPECT_EQ(normal->InkBounds(frame), (Rect { 4, 5, 64, 25 }));
    EXPECT_EQ(pushed->InkBounds(frame), (Rect { 4, 5, 64, 25 }));
    EXPECT_EQ(pushed->At(4, 5), 0x000000u);
    EXPECT_EQ(pushed->At(63, 24), 0xFFFFFFu);
}

TEST_F(WindowsButtonTest, TheButtonKeepsItsSizeAndTheCaptionFillsIt)
{
    auto given = Button({ u"Width=60", u"Height=20", u"Offset=5", u"Text=A caption much wider than sixty pixels" });
    EXPECT_EQ(SizeOf(*given), (Size { 60, 20 }));
    EXPECT_EQ(SizeOf(given->Caption()), (Size { 60, 20 }));

    auto onlyWidth = Button({ u"Width=60" });
    EXPECT_EQ(SizeOf(*onlyWidth), (Size { 60, 0 }));
    EXPECT_EQ(SizeOf(onlyWidth->Caption()), (Size { 60, 0 }));

    // No size: nothing is drawn but the unclipped caption, and the button cannot be tapped.
    auto none = Button({ u"Command=\\Windows\\prog.exe", u"Text=\\n" });
    EXPECT_EQ(SizeOf(*none), (Size { 0, 0 }));
    EXPECT_EQ(Drawn(*none, 4, 4)->InkBounds([](uint32_t pixel) { return pixel != kBackground; }), Rect {});
    EXPECT_TRUE(none->OnPress(0, 0));
    EXPECT_TRUE(none->OnRelease(0, 0));
    EXPECT_TRUE(device_.Events("shell").empty());
}

TEST_F(WindowsButtonTest, WithoutATextLineTheCaptionSaysText)
{
    auto plain = Button({ u"Width=60", u"Height=20" });
    auto said = Button({ u"Width=60", u"Height=20", u"Text=Text" });
    auto other = Button({ u"Width=60", u"Height=20", u"Text=Txet" });
    auto plainInk = Drawn(*plain, 62, 22);
    auto saidInk = Drawn(*said, 62, 22);
    auto otherInk = Drawn(*other, 62, 22);
    bool sameAsSaid = true;
    bool sameAsOther = true;
    for (int32_t y = 0; y < 22; ++y) {
        for (int32_t x = 0; x < 62; ++x) {
            sameAsSaid = sameAsSaid && plainInk->At(x, y) == saidInk->At(x, y);
            sameAsOther = sameAsOther && plainInk->At(x, y) == otherInk->At(x, y);
        }
    }
    EXPECT_TRUE(sameAsSaid);
    EXPECT_FALSE(sameAsOther);
    // The word's ink lies on the face, which alone would be plain button face.
    int inked = 0;
    for (int32_t y = 3; y < 19; ++y) {
        for (int32_t x = 3; x < 59; ++x)
            inked += plainInk->At(x, y) != kFace;
    }
    EXPECT_GT(inked, 0);
}

TEST_F(WindowsButtonTest, LinesNoButtonClassTakesGoToTheCaptionWhichAlwaysReports)
{
    auto button = std::make_unique<WindowsButton>(window_);
    EXPECT_TRUE(button->ReadValue(u"Color=FF0000", false));
    EXPECT_TRUE(button->ReadValue(u"Offset=3", false));
    EXPECT_TRUE(button->ReadValue(u"Command=\\Windows\\prog.exe", false));
    EXPECT_TRUE(button->ReadValue(u"Width=30"));
    EXPECT_TRUE(button->ReadValue(u"Height=12"));
    EXPECT_EQ(button->GetOffset(), 3);
    EXPECT_EQ(button->FaceColor(ImageButton::Normal), GetSysColor(0x4000000F));

    EXPECT_FALSE(button->ReadValue(u"ColorNormal=FFF"));
    EXPECT_FALSE(button->ReadValue(u"ColorPushed=12345", false));
    EXPECT_FALSE(button->ReadValue(u"Colour=FF0000", false));
    EXPECT_FALSE(button->ReadValue(u"Command=", false));
    EXPECT_FALSE(button->ReadValue(u"Offset="));
    EXPECT_FALSE(button->ReadValue(u"Width=", false));
    EXPECT_FALSE(button->ReadValue(u"Text=", false));
    EXPECT_FALSE(button->ReadValue(u"Color=12"));
    EXPECT_TRUE(button->ReadValue(u"ColorNormal=0000FF"));
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("WindowsButton - Ignoriere Fehler:", "ColorNormal=FFF"),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Colour=FF0000"),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Command="),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Offset="),
        BoxEvent("DesktopObject - Ignoriere Fehler:", "Width="),
        BoxEvent("Text - Ignoriere Fehler:", "Text="),
        BoxEvent("Text - Ignoriere Fehler:", "Color=12"),
    }));
    EXPECT_EQ(button->FaceColor(ImageButton::Normal), Rgb(0, 0, 0xFF));
    EXPECT_EQ(button->FaceColor(ImageButton::Pushed), GetSysColor(0x4000000F));

    // The rejected lines changed nothing: the size stays, and a tap runs the command.
    PrepareOnScreen(*button);
    EXPECT_EQ(SizeOf(*button), (Size { 30, 12 }));
    EXPECT_TRUE(button->OnPress(29, 11));
    EXPECT_TRUE(button->OnRelease(29, 11));
    EXPECT_TRUE(button->OnPress(29, 11));
    EXPECT_TRUE(button->OnRelease(30, 11));
    EXPECT_THAT(device_.ParsedEvents("shell"), EventsAre({ ShellEvent(R"(\Windows\prog.exe)", "", 1) }));
}
