#include "panel/buttons/BitmapButton.h"
#include "platform/Drawing.h"
#include "tests/panel/BackBuffer.h"
#include "tests/panel/ButtonPicture.h"
#include "tests/support/BmpWriter.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"
#include "tests/support/PixelNames.h"

#include <gtest/gtest.h>

#include <climits>
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
using namespace testing_support::pixels;

std::map<uint32_t, char> const kLegend { { kBackground, '.' }, { kRed, 'r' }, { kBlue, 'b' }, { kYellow, 'y' },
    { kBlack, '#' } };

class BitmapButtonTest : public ::testing::Test {
protected:
    BitmapButtonTest()
    {
        device_.WriteBytes("Windows/prog.exe", "");
    }

    // A top-down 24-bit file of `width` x `height` pixels in `fill`, its top-left pixel yellow.
    void WriteBitmap(std::string_view name, int32_t width, int32_t height, uint32_t fill)
    {
        BmpFile file;
        file.width = width;
        file.height = -height;
        for (int32_t y = 0; y < height; ++y) {
            std::vector<uint32_t> row(size_t(width), fill);
            if (y == 0)
                row[0] = kYellow;
            file.rows.push_back(Row24(row));
        }
        device_.WriteBytes("panel/" + std::string(name), file.Bytes());
    }

    // Read from a layout file in \panel\, then prepared as the layout reader does.
    std::unique_ptr<BitmapButton> Button(std::initializer_list<std::u16string_view> lines)
    {
        auto button = std::make_unique<BitmapButton>(window_);
        button->SetFolder(u"\\panel\\");
        for (auto line : lines)
            button->ReadValue(line);
        button->SetFolder(nullptr);
        PrepareOnScreen(*button);
        return button;
    }

    static Size SizeOf(DesktopObject const& object) { return { object.GetWidth(), object.GetHeight() }; }

    static Rows Drawn(BitmapButton& button, int32_t width, int32_t height, int32_t x = 1, int32_t y = 1)
    {
        BackBuffer buffer(kBackground, width, height);
        button.Draw(buffer.Surface(), x, y);
        return buffer.Look(kLegend);
    }

    TestDevice device_;
    WindowHandle window_ = MakePanelWindow();
};

}

TEST_F(BitmapButtonTest, WithoutWidthOrHeightTheLargerBitmapGivesTheSizePlusTheOffset)
{
    WriteBitmap("square.bmp", 32, 32, kRed);
    WriteBitmap("tall.bmp", 30, 34, kBlue);
    std::initializer_list<std::u16string_view> const both { u"BitmapNormal=square.bmp", u"BitmapPushed=tall.bmp" };

    EXPECT_EQ(SizeOf(*Button(both)), (Size { 33, 35 }));
    EXPECT_EQ(SizeOf(*Button({ u"BitmapNormal=square.bmp", u"BitmapPushed=tall.bmp", u"Width=40" })), (Size { 33, 35 }));
    EXPECT_EQ(SizeOf(*Button({ u"BitmapPushed=tall.bmp", u"Height=10" })), (Size { 31, 35 }));
    EXPECT_EQ(SizeOf(*Button({ u"BitmapNormal=square.bmp", u"Width=40", u"Height=20" })), (Size { 41, 21 }));
    EXPECT_EQ(SizeOf(*Button({ u"BitmapNormal=square.bmp", u"BitmapPushed=tall.bmp", u"Offset=0" })), (Size { 32, 34 }));
    EXPECT_EQ(SizeOf(*Button({ u"BitmapNormal=square.bmp", u"Offset=4" })), (Size { 36, 36 }));
    EXPECT_EQ(SizeOf(*Button({})), (Size { 1, 1 }));
    // The growth saturates instead of overflowing.
    EXPECT_EQ(SizeOf(*Button({ u"Width=2147483000", u"Height=5", u"Offset=2000" })), (Size { INT32_MAX, 2005 }));
}

TEST_F(BitmapButtonTest, ThePushedBitmapIsDrawnMovedByTheOffsetOverTheBackground)
{
    WriteBitmap("normal.bmp", 3, 2, kRed);
    WriteBitmap("pushed.bmp", 3, 2, kBlue);
    auto button = Button({ u"BitmapNormal=normal.bmp", u"BitmapPushed=pushed.bmp" });
    ASSERT_EQ(SizeOf(*button), (Size { 4, 3 }));
    EXPECT_EQ(Drawn(*button, 6, 5), (Rows { "......", ".yrr..", ".rrr..", "......", "......" }));

    ASSERT_TRUE(button->OnPress(1, 1));
    EXPECT_EQ(Drawn(*button, 6, 5), (Rows { "......", "......", "..ybb.", "..bbb.", "......" }));

    auto deeper = Button({ u"BitmapNormal=normal.bmp", u"BitmapPushed=pushed.bmp", u"Offset=2" });
    ASSERT_TRUE(deeper->OnPress(0, 0));
    EXPECT_EQ(Drawn(*deeper, 6, 5, 0, 0), (Rows { "......", "......", "..ybb.", "..bbb.", "......" }));

    auto flat = Button({ u"BitmapNormal=normal.bmp", u"BitmapPushed=pushed.bmp", u"Offset=0" });
    ASSERT_TRUE(flat->OnPress(0, 0));
    EXPECT_EQ(Drawn(*flat, 4, 3, 0, 0), (Rows { "ybb.", "bbb.", "...." }));
}

TEST_F(BitmapButtonTest, ABitmapLargerThanTheButtonIsCutFromItsTopLeftCorner)
{
    WriteBitmap("large.bmp", 5, 4, kRed);
    WriteBitmap("larger.bmp", 6, 6, kBlue);
    auto button = Button({ u"BitmapNormal=large.bmp", u"BitmapPushed=larger.bmp", u"Width=3", u"Height=2" });
    ASSERT_EQ(SizeOf(*button), (Size { 4, 3 }));
    EXPECT_EQ(Drawn(*button, 7, 5), (Rows { ".......", ".yrr...", ".rrr...", ".......", "......." }));
    ASSERT_TRUE(button->OnPress(0, 0));
    EXPECT_EQ(Drawn(*button, 7, 5), (Rows { ".......", ".......", "..ybb..", "..bbb..", "......." }));
}

TEST_F(BitmapButtonTest, AStateWithoutABitmapShowsNoBitmapInAFrame)
{
    WriteBitmap("normal.bmp", 3, 2, kRed);
    auto button = Button({ u"BitmapNormal=normal.bmp", u"BitmapPushed=missing.bmp", u"Offset=4", u"Width=40",
        u"Height=20" });
    ASSERT_EQ(SizeOf(*button), (Size { 44, 24 }));
    EXPECT_TRUE(device_.Events("msgbox").empty());

    ASSERT_TRUE(button->OnPress(0, 0));
    BackBuffer buffer(kBackground, 50, 30);
    button->Draw(buffer.Surface(), 1, 1);
    // The frame's corners are (5, 5) and (44, 24): the moved button less its offset strip.
    Rows const look = buffer.Look(kLegend);
    EXPECT_EQ(look[5], "....." + std::string(40, '#') + ".....");
    EXPECT_EQ(look[24], "....." + std::string(40, '#') + ".....");
    for (int32_t y = 6; y < 24; ++y) {
        EXPECT_EQ(look[size_t(y)][4], '.') << y;
        EXPECT_EQ(look[size_t(y)][5], '#') << y;
        EXPECT_EQ(look[size_t(y)][44], '#') << y;
        EXPECT_EQ(look[size_t(y)][45], '.') << y;
    }
    EXPECT_EQ(look[4], std::string(50, '.'));
    EXPECT_EQ(look[25], std::string(50, '.'));
    // Nothing outside the frame; inside it the words as the platform centres them there.
    EXPECT_EQ(buffer.InkBounds([](uint32_t pixel) { return pixel != kBackground; }), (Rect { 5, 5, 45, 25 }));
    BackBuffer words(kBackground, 50, 30);
    Rect area { 5, 5, 45, 25 };
    DrawText(words.Surface().Dc(), u"no bitmap", 9, area,
        TextFormat::Center | TextFormat::VerticalCenter | TextFormat::SingleLine);
    EXPECT_NE(words.InkBounds([](uint32_t pixel) { return pixel == kBlack; }), Rect {});
    for (int32_t y = 6; y < 24; ++y) {
        for (int32_t x = 6; x < 44; ++x)
            ASSERT_EQ(buffer.At(x, y), words.At(x, y)) << x << "," << y;
    }

    ASSERT_TRUE(button->OnRelease(100, 100));
    EXPECT_EQ(Drawn(*button, 5, 4), (Rows { ".....", ".yrr.", ".rrr.", "....." }));
}

TEST_F(BitmapButtonTest, ANewBitmapReplacesAndDeletesTheOldOne)
{
    WriteBitmap("first.bmp", 3, 2, kRed);
    WriteBitmap("second.bmp", 2, 1, kBlue);
    auto button = Button({ u"BitmapNormal=first.bmp", u"BitmapNormal=second.bmp" });
    EXPECT_EQ(SizeOf(*button), (Size { 3, 2 }));
    EXPECT_EQ(Drawn(*button, 5, 4), (Rows { ".....", ".yb..", ".....", "....." }));

    button->SetFolder(u"\\panel\\");
    BitmapHandle const first = button->LoadBitmapFile(u"first.bmp");
    BitmapHandle const second = button->LoadBitmapFile(u"\\panel\\second.bmp");
    button->SetFolder(nullptr);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_FALSE(button->LoadBitmapFile(u"first.bmp")) << "no folder outside the reading of the layout";
    button->SetBitmap(first, ImageButton::Pushed);
    button->SetBitmap(second, ImageButton::Pushed);
    Size size;
    EXPECT_FALSE(GetBitmapSize(first, size));
    EXPECT_TRUE(GetBitmapSize(second, size));
    button->SetBitmap({}, ImageButton::Pushed);
    EXPECT_FALSE(GetBitmapSize(second, size));

    BitmapHandle const owned = LoadBitmapFile(u"\\panel\\first.bmp");
    button->SetBitmap(owned, ImageButton::Normal);
    button.reset();
    EXPECT_FALSE(GetBitmapSize(owned, size));
}

TEST_F(BitmapButtonTest, MissingValuesAreReportedUnderTheCaptionOfTheClassThatKnowsTheKey)
{
    auto button = std::make_unique<BitmapButton>(window_);
    EXPECT_FALSE(button->ReadValue(u"BitmapNormal="));
    EXPECT_FALSE(button->ReadValue(u"BitmapPushed="));
    EXPECT_FALSE(button->ReadValue(u"Offset="));
    EXPECT_FALSE(button->ReadValue(u"Command="));
    EXPECT_FALSE(button->ReadValue(u"Colour=FF0000"));
    EXPECT_FALSE(button->ReadValue(u"BitmapNormal=", false));
    EXPECT_FALSE(button->ReadValue(u"Offset=", false));
    EXPECT_TRUE(button->ReadValue(u"Offset=-2"));
    EXPECT_EQ(button->GetOffset(), -2);
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent("BitmapButton - Ignoriere Fehler:", "BitmapNormal="),
        BoxEvent("BitmapButton - Ignoriere Fehler:", "BitmapPushed="),
        BoxEvent("ImageButton - Ignoriere Fehler:", "Offset="),
        BoxEvent("CommandButton - Ignoriere Fehler:", "Command="),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Colour=FF0000"),
    }));
}

TEST_F(BitmapButtonTest, AReleaseInsideTheGrownButtonRunsTheCommand)
{
    WriteBitmap("normal.bmp", 3, 2, kRed);
    auto button = Button({ u"BitmapNormal=normal.bmp", u"Command=\\Windows\\prog.exe", u"Offset=2" });
    ASSERT_EQ(SizeOf(*button), (Size { 5, 4 }));
    EXPECT_FALSE(button->OnRelease(1, 1));
    EXPECT_TRUE(button->OnPress(1, 1));
    EXPECT_TRUE(button->IsPressed());
    EXPECT_TRUE(button->OnRelease(4, 3));
    EXPECT_FALSE(button->IsPressed());
    EXPECT_TRUE(button->OnPress(1, 1));
    EXPECT_TRUE(button->OnRelease(5, 3));
    EXPECT_THAT(device_.ParsedEvents("shell"), EventsAre({ ShellEvent(R"(\Windows\prog.exe)", "", 1) }));
}

TEST_F(BitmapButtonTest, ExtremeOffsetsDrawWithoutOverflow)
{
    WriteBitmap("normal.bmp", 3, 2, kRed);
    for (std::u16string_view offset : { u"Offset=2147483647", u"Offset=-2147483647" }) {
        auto button = Button({ u"BitmapNormal=normal.bmp", u"BitmapPushed=missing.bmp", offset });
        ASSERT_TRUE(button->OnPress(0, 0));
        BackBuffer buffer(kBackground, 4, 3);
        button->Draw(buffer.Surface(), INT32_MAX - 1, INT32_MIN + 1);
        button->Draw(buffer.Surface(), 0, 0);
        EXPECT_EQ(buffer.Look(kLegend), (Rows { "....", "....", "...." }));
    }
}
