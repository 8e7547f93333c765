#include "panel/buttons/IconXPButton.h"
#include "panel/core/ObjectFactory.h"
#include "panel/displays/ScratchBitmap.h"
#include "tests/panel/IconPicture.h"
#include "platform/Windowing.h"
#include "tests/support/IconWriter.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace panel;
using namespace platform;
using namespace icon_test;
using testing_support::IconEntry;
using testing_support::IconFile;
using testing_support::SolidEntry;
using testing_support::BoxEvent;
using testing_support::EventsAre;
using testing_support::TestDevice;

namespace {

constexpr uint32_t kBackground = 0x00204060;
constexpr uint32_t kColour16 = 0xFF101010;
constexpr uint32_t kColour24 = 0xFF242424;
constexpr uint32_t kColour32 = 0xFF323232;
constexpr uint32_t kColour48 = 0xFF484848;

std::string const kBadLine = "IconXPButton - Ignoriere Fehler:";

class IconXPButtonTest : public ::testing::Test {
protected:
    IconXPButtonTest()
    {
        WindowClass panelClass;
        panelClass.name = u"Panel.Test";
        panelClass.procedure = DefWindowProc;
        RegisterClass(panelClass);
        window_ = CreateWindowEx(0, u"Panel.Test", u"", Style::Popup, 0, 0, 100, 50, {}, {}, nullptr);
        device_.WriteBytes("panel/sizes.ico", IconFile({
            SolidEntry(16, kColour16), SolidEntry(24, kColour24), SolidEntry(32, kColour32), SolidEntry(48, kColour48) }).Bytes());
        device_.WriteBytes("Windows/prog.exe", "");
    }

    // Read from a layout file in \panel\, line by line, then prepared.
    std::unique_ptr<IconXPButton> Button(std::initializer_list<std::u16string_view> lines)
    {
        auto button = std::make_unique<IconXPButton>(window_);
        button->SetFolder(u"\\panel\\");
        for (auto line : lines)
            EXPECT_TRUE(button->ReadValue(line)) << std::string(line.begin(), line.end());
        button->SetFolder(nullptr);
        button->Prepare(GetDC({}));
        return button;
    }

    static void FillSquare(ScratchBitmap& surface, int32_t left, int32_t top, int32_t size, uint32_t colour)
    {
        for (int32_t y = top; y < top + size; ++y) {
            for (int32_t x = left; x < left + size; ++x)
                *surface.CursorAt(x, y).pixel = colour;
        }
    }

    // What a state shows drawn with the button's corner at (2, 3) of a plain surface.
    std::vector<uint32_t> Drawn(IconXPButton& button, bool pressed)
    {
        ScratchBitmap surface(60, 60, true);
        Fill(surface, kBackground);
        if (pressed)
            button.OnPress(1, 1);
        button.Draw(surface, 2, 3);
        if (pressed)
            button.OnRelease(-1, -1);
        return Shown(surface);
    }

    // The background with one opaque square on it.
    static std::vector<uint32_t> Square(int32_t left, int32_t top, int32_t size, uint32_t colour)
    {
        ScratchBitmap surface(60, 60, true);
        Fill(surface, kBackground);
        FillSquare(surface, left, top, size, colour);
        return Shown(surface);
    }

    static std::vector<uint32_t> NoIconText(Rect rect)
    {
        ScratchBitmap surface(60, 60, true);
        Fill(surface, kBackground);
        DrawText(surface.Dc(), u"no icon", 7, rect, 0x25);
        return Shown(surface);
    }

    static uint32_t FirstPixel(IconImage const* icon)
    {
        EXPECT_NE(icon, nullptr);
        return icon ? PixelsOf(*icon).front() : 0;
    }

    TestDevice device_;
    WindowHandle window_;
};

TEST_F(IconXPButtonTest, TheSmallerIconIsCentredAndThePushedOneMovedByTheOffset)
{
    auto button = Button({ u"SizeNormal=32", u"SizePushed=24", u"IconNormal=sizes.ico", u"IconPushed=sizes.ico" });
    EXPECT_EQ(button->IconSize(ImageButton::Normal), 32);
    EXPECT_EQ(button->IconSize(ImageButton::Pushed), 24);
    EXPECT_EQ(button->GetWidth(), 33);
    EXPECT_EQ(button->GetHeight(), 33);
    EXPECT_EQ(Drawn(*button, false), Square(2, 3, 32, kColour32));
    // 2 + 1 + (32 − 24) / 2 across, 3 + 1 + 4 down.
    EXPECT_EQ(Drawn(*button, true), Square(7, 8, 24, kColour24));

    auto smallNormal = Button({ u"SizeNormal=16", u"SizePushed=48", u"IconNormal=sizes.ico", u"IconPushed=sizes.ico", u"Offset=2" });
    EXPECT_EQ(smallNormal->GetWidth(), 50);
    EXPECT_EQ(Drawn(*smallNormal, false), Square(2 + 16, 3 + 16, 16, kColour16));
    EXPECT_EQ(Drawn(*smallNormal, true), Square(4, 5, 48, kColour48));
}

TEST_F(IconXPButtonTest, TheButtonIsASquareOfTheLargerIconWhateverWidthAndHeightSay)
{
    EXPECT_EQ(Button({ u"SizeNormal=32", u"IconNormal=sizes.ico", u"Width=100", u"Height=10" })->GetHeight(), 33);
    EXPECT_EQ(Button({ u"SizeNormal=32", u"IconNormal=sizes.ico", u"Width=100", u"Height=10" })->GetWidth(), 33);
    EXPECT_EQ(Button({ u"Width=100", u"SizeNormal=32", u"IconNormal=sizes.ico" })->GetHeight(), 33);

    // A wanted size of 40 loads the 32-pixel image and becomes 32.
    auto between = Button({ u"SizeNormal=40", u"IconNormal=sizes.ico", u"Offset=3" });
    EXPECT_EQ(between->IconSize(ImageButton::Normal), 32);
    EXPECT_EQ(between->GetWidth(), 35);
    EXPECT_EQ(between->GetHeight(), 35);

    // Without icons the wanted sizes count.
    auto empty = Button({ u"SizePushed=20", u"Width=5", u"Height=5" });
    EXPECT_EQ(empty->GetWidth(), 21);
    EXPECT_EQ(empty->GetHeight(), 21);
    EXPECT_EQ(Button({})->GetWidth(), 1);
}

TEST_F(IconXPButtonTest, AStateWithoutIconShowsNoIconInsideTheButton)
{
    // Before any SizeNormal line the wanted size is 0: no image in the file fits.
    auto button = Button({ u"IconNormal=sizes.ico", u"SizePushed=40", u"IconPushed=missing.ico" });
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("Kein 32Bit Icon gefunden:", R"(\panel\sizes.ico)", "error") }));
    EXPECT_EQ(button->Icon(ImageButton::Normal), nullptr);
    EXPECT_EQ(button->Icon(ImageButton::Pushed), nullptr);
    EXPECT_EQ(button->GetWidth(), 41);
    ASSERT_NE(NoIconText({ 2, 3, 2 + 41, 3 + 41 }), Square(0, 0, 0, 0)) << "the text must show";
    EXPECT_EQ(Drawn(*button, false), NoIconText({ 2, 3, 2 + 41, 3 + 41 }));
    EXPECT_EQ(Drawn(*button, true), NoIconText({ 3, 4, 3 + 41, 4 + 41 }));

    // A later line that fails takes the earlier icon away; its size stays.
    auto replaced = Button({ u"SizeNormal=24", u"IconNormal=sizes.ico", u"IconNormal=missing.ico" });
    EXPECT_EQ(replaced->Icon(ImageButton::Normal), nullptr);
    EXPECT_EQ(replaced->IconSize(ImageButton::Normal), 24);
}

TEST_F(IconXPButtonTest, ASecondIconLineIsPickedWithTheSizeTheFirstLeftBehind)
{
    device_.WriteBytes("panel/big.ico", IconFile({ SolidEntry(24, 0xFF0000AA), SolidEntry(40, 0xFF0000BB) }).Bytes());
    auto button = Button({ u"SizeNormal=40", u"IconNormal=sizes.ico", u"IconNormal=big.ico" });
    EXPECT_EQ(button->IconSize(ImageButton::Normal), 24);
    EXPECT_EQ(FirstPixel(button->Icon(ImageButton::Normal)), 0xFF0000AAu);
    // Absolute names are taken as they are.
    auto absolute = Button({ u"SizeNormal=48", u"IconNormal=\\panel\\big.ico" });
    EXPECT_EQ(absolute->IconSize(ImageButton::Normal), 40);
}

TEST_F(IconXPButtonTest, ColoursChangeOnlyForIconLinesBelowThem)
{
    device_.WriteBytes("panel/colour.ico", IconFile({ [] {
        auto entry = SolidEntry(2, 0xC8C86432);
        entry.pixels[1] = 0x00C86432;
        return entry;
    }() }).Bytes());
    auto const icon = [&](std::initializer_list<std::u16string_view> lines, ImageButton::State state = ImageButton::Normal) {
        std::vector<std::u16string_view> all { u"SizeNormal=2", u"SizePushed=2" };
        all.insert(all.end(), lines);
        auto button = std::make_unique<IconXPButton>(window_);
        button->SetFolder(u"\\panel\\");
        for (auto line : all)
            EXPECT_TRUE(button->ReadValue(line));
        IconImage const* image = button->Icon(state);
        return image ? PixelsOf(*image) : std::vector<uint32_t> {};
    };
    uint32_t const transparent = 0x00C86432;
    EXPECT_EQ(icon({ u"Scale=50", u"IconNormal=colour.ico" }),
        (std::vector<uint32_t> { 0xC8643219, transparent, 0xC8643219, 0xC8643219 }));
    EXPECT_EQ(icon({ u"ScaleAlpha=50", u"IconNormal=colour.ico" }),
        (std::vector<uint32_t> { 0x64C86432, transparent, 0x64C86432, 0x64C86432 }));
    EXPECT_EQ(icon({ u"ScaleRed=33", u"ScaleGreen=200", u"ScaleBlue=0", u"IconNormal=colour.ico" }),
        (std::vector<uint32_t> { 0xC842C800, transparent, 0xC842C800, 0xC842C800 }));
    EXPECT_EQ(icon({ u"Add=-255", u"IconNormal=colour.ico" }),
        (std::vector<uint32_t> { 0xC8000000, transparent, 0xC8000000, 0xC8000000 }));
    // Only the low 16 bits of an amount count: 65546 adds 10.
    EXPECT_EQ(icon({ u"AddRed=65546", u"AddGreen=-10", u"AddBlue=1", u"AddAlpha=100", u"IconNormal=colour.ico" }),
        (std::vector<uint32_t> { 0xFFD25A33, transparent, 0xFFD25A33, 0xFFD25A33 }));
    EXPECT_EQ(icon({ u"Gray=1", u"IconNormal=colour.ico" }),
        (std::vector<uint32_t> { 0xC8747474, transparent, 0xC8747474, 0xC8747474 }));
    // Scaled, then added, then grey.
    EXPECT_EQ(icon({ u"Gray=1", u"Add=10", u"Scale=50", u"IconNormal=colour.ico" }),
        (std::vector<uint32_t> { 0xC8444444, transparent, 0xC8444444, 0xC8444444 }));
    // Lines after the Icon line do not reach back; Gray between the two lines greys only the pushed icon.
    EXPECT_EQ(icon({ u"IconNormal=colour.ico", u"Gray=1", u"IconPushed=colour.ico", u"Scale=0" }),
        (std::vector<uint32_t> { 0xC8C86432, transparent, 0xC8C86432, 0xC8C86432 }));
    EXPECT_EQ(icon({ u"IconNormal=colour.ico", u"Gray=1", u"IconPushed=colour.ico", u"Scale=0" }, ImageButton::Pushed),
        (std::vector<uint32_t> { 0xC8747474, transparent, 0xC8747474, 0xC8747474 }));
    // Gray=Ja is false in the panel's dialect; the long key is found before Scale.
    EXPECT_EQ(icon({ u"Gray=Ja", u"ScaleRedish=0", u"IconNormal=colour.ico" }),
        (std::vector<uint32_t> { 0xC8006432, transparent, 0xC8006432, 0xC8006432 }));
}

TEST_F(IconXPButtonTest, APressReleasedInsideRunsTheCommand)
{
    auto button = Button({ u"SizeNormal=16", u"IconNormal=sizes.ico", u"Command=\\Windows\\prog.exe" });
    EXPECT_TRUE(button->OnPress(3, 3));
    EXPECT_TRUE(button->IsPressed());
    EXPECT_TRUE(button->OnRelease(16, 16));
    EXPECT_EQ(device_.Events("shell").size(), 1u);
    EXPECT_TRUE(button->OnPress(3, 3));
    EXPECT_TRUE(button->OnRelease(17, 3));
    EXPECT_FALSE(button->OnRelease(3, 3));
    EXPECT_EQ(device_.Events("shell").size(), 1u);
    EXPECT_FALSE(button->IsPressed());
}

TEST_F(IconXPButtonTest, EveryBadLineIsReportedUnderTheOneCaption)
{
    auto button = std::make_unique<IconXPButton>(window_);
    button->SetFolder(u"\\panel\\");
    for (std::u16string_view line : { u"Colour=FF0000", u"IconNormal=", u"SizeNormal", u"Scale=", u"Gray",
             u"Offset=", u"Command=", u"ShutDownAnimation=Sideways", u"Width=" }) {
        EXPECT_FALSE(button->ReadValue(line)) << std::string(line.begin(), line.end());
        EXPECT_FALSE(button->ReadValue(line, false));
    }
    for (std::u16string_view line : { u"x=4", u"Offset=2", u"Command=\\Windows\\prog.exe", u"QuitOnExecute=0", u"Add=3" })
        EXPECT_TRUE(button->ReadValue(line)) << std::string(line.begin(), line.end());
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent(kBadLine, "Colour=FF0000", "warning"),
        BoxEvent(kBadLine, "IconNormal=", "warning"),
        BoxEvent(kBadLine, "SizeNormal", "warning"),
        BoxEvent(kBadLine, "Scale=", "warning"),
        BoxEvent(kBadLine, "Gray", "warning"),
        BoxEvent(kBadLine, "Offset=", "warning"),
        BoxEvent(kBadLine, "Command=", "warning"),
        BoxEvent(kBadLine, "ShutDownAnimation=Sideways", "warning"),
        BoxEvent(kBadLine, "Width=", "warning"),
    }));
    EXPECT_EQ(button->GetOffset(), 2);
}

TEST_F(IconXPButtonTest, TheLayoutKeywordMakesAnIconButton)
{
    Section section = CreateSection(u"ICONXPBUTTON", window_);
    EXPECT_EQ(section.kind, SectionKind::Object);
    EXPECT_NE(dynamic_cast<IconXPButton*>(section.object.get()), nullptr);
}

}
