#include "panel/displays/ScratchBitmap.h"
#include "panel/displays/Text.h"
#include "platform/Drawing.h"
#include "tests/panel/BackBuffer.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"
#include "tests/support/PixelNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace panel;
using namespace platform;
using namespace testing_support;

namespace {

using namespace testing_support::pixels;

// Counts the measurings, as the clock subclass will be measured.
class MeasuredText : public Text {
public:
    void Prepare(DeviceContext dc) override
    {
        ++measurings;
        Text::Prepare(dc);
    }
    int measurings = 0;
};

class TextTest : public ::testing::Test {
protected:
    // A text read line by line from its section, then prepared as the layout reader does.
    template<typename T = Text>
    std::unique_ptr<T> Read(std::initializer_list<std::u16string_view> lines)
    {
        auto text = std::make_unique<T>();
        for (auto line : lines)
            text->ReadValue(line);
        Prepare(*text);
        return text;
    }

    static void Prepare(Text& text)
    {
        DeviceContext screen = GetDC({});
        text.Prepare(screen);
        ReleaseDC({}, screen);
    }

    // What the platform measures for `text` in its default font.
    static Size Measured(std::u16string_view text)
    {
        DeviceContext screen = GetDC({});
        Rect extent;
        DrawText(screen, text.data(), int32_t(text.size()), extent,
            TextFormat::Center | TextFormat::NoClip | TextFormat::CalculateRect);
        ReleaseDC({}, screen);
        return { extent.right, extent.bottom };
    }

    static Size SizeOf(Text const& text) { return { text.GetWidth(), text.GetHeight() }; }

    static std::unique_ptr<BackBuffer> Drawn(Text& text, int32_t x = 0, int32_t y = 0, uint32_t background = kWhite)
    {
        auto buffer = std::make_unique<BackBuffer>(background, 200, 80);
        text.Draw(buffer->Surface(), x, y);
        return buffer;
    }

    static void ExpectBlackText(BackBuffer const& buffer)
    {
        bool sawBlack = false;
        buffer.ForEach([&](int32_t x, int32_t y) {
            uint32_t pixel = buffer.At(x, y);
            EXPECT_TRUE(Red(pixel) == Green(pixel) && Green(pixel) == Blue(pixel)) << x << "," << y;
            sawBlack = sawBlack || pixel == kBlack;
        });
        EXPECT_TRUE(sawBlack);
    }

    TestDevice device_;
};

TEST_F(TextTest, ASectionWithoutKeysShowsTheWordTextCentredInBlack)
{
    auto text = Read({ u"x=5", u"y=7" });
    EXPECT_EQ(text->GetX(), 5);
    EXPECT_EQ(text->GetY(), 7);
    EXPECT_EQ(SizeOf(*text), Measured(u"Text"));
    EXPECT_GT(text->GetWidth(), 0);
    EXPECT_GT(text->GetHeight(), 0);

    // Stretched by the vertical arrangement: the word stays in the middle.
    text->SetWidth(120);
    auto buffer = Drawn(*text, 10, 20);
    Rect drawn = buffer->Changed();
    EXPECT_GE(drawn.top, 20);
    EXPECT_LE(drawn.bottom, 20 + text->GetHeight());
    EXPECT_LE(std::abs((drawn.left - 10) - (130 - drawn.right)), 2);
    ExpectBlackText(*buffer);
}

TEST_F(TextTest, KeysArePrefixesTriedInTheirOrder)
{
    // TextColor is the key Text: its colour value becomes the words.
    auto textColor = Read({ u"TextColor=FF0000" });
    EXPECT_EQ(SizeOf(*textColor), Measured(u"FF0000"));
    ExpectBlackText(*Drawn(*textColor));

    auto red = Read({ u"Color=FF0000", u"Text=Rot" });
    EXPECT_EQ(SizeOf(*red), Measured(u"Rot"));
    auto redOnWhite = Drawn(*red);
    bool sawRed = false;
    redOnWhite->ForEach([&](int32_t x, int32_t y) {
        uint32_t pixel = redOnWhite->At(x, y);
        EXPECT_TRUE(Red(pixel) == 0xFF && Green(pixel) == Blue(pixel)) << x << "," << y;
        sawRed = sawRed || pixel == kRed;
    });
    EXPECT_TRUE(sawRed);
}

TEST_F(TextTest, AlignmentPlacesTheTextAndLeavesItUnclipped)
{
    auto place = [&](std::u16string_view align, std::u16string_view before = u"Align=Right") {
        return Drawn(*Read({ u"Width=150", u"Height=20", before, align }))->Changed();
    };
    Rect left = place(u"Align=Left");
    Rect right = place(u"Align=Right", u"Align=Left");
    Rect rightByPrefix = place(u"Align=Rightmost", u"Align=Left");
    Rect centre = place(u"Align=Middle");
    EXPECT_LE(left.left, 2);
    EXPECT_GE(right.right, 148);
    EXPECT_EQ(rightByPrefix, right);
    EXPECT_LE(std::abs(centre.left - (150 - centre.right)), 2);
    EXPECT_LE(std::abs((centre.right - centre.left) - (left.right - left.left)), 1);

    // Much narrower than its words, a left-aligned text still draws all of them.
    auto narrow = Read({ u"Width=4", u"Height=20", u"Align=Left", u"Text=Breit" });
    EXPECT_GE(Drawn(*narrow)->Changed().right, Measured(u"Breit").width - 2);
}

TEST_F(TextTest, FontSizeAndWeightTakeEffectOnlyAtCreateFont)
{
    auto plain = Read({ u"Text=Schrift" });
    auto notCreated = Read({ u"Text=Schrift", u"Font=DejaVu Serif", u"Size=30", u"Weight=700" });
    auto created = Read({ u"Text=Schrift", u"Size=30", u"CreateFont" });
    auto changedAfter = Read({ u"Text=Schrift", u"Size=30", u"CreateFont", u"Size=8", u"Font=DejaVu Serif" });
    auto longName = Read({ u"Text=Schrift", u"Font=" + std::u16string(40, u'F'), u"Size=-20", u"CreateFont" });

    EXPECT_EQ(SizeOf(*notCreated), SizeOf(*plain));
    EXPECT_TRUE(Drawn(*notCreated)->SamePixels(*Drawn(*plain)));

    EXPECT_GE(created->GetHeight(), 25);
    EXPECT_EQ(SizeOf(*changedAfter), SizeOf(*created));
    // A face name longer than the record holds still makes a font.
    EXPECT_GT(longName->GetHeight(), plain->GetHeight());

    // Drawing puts back the font and colour it found.
    BackBuffer buffer(kWhite, 200, 80);
    DeviceContext dc = buffer.Surface().Dc();
    LogFont large;
    large.height = 40;
    FontHandle panelFont = CreateFontIndirect(large);
    FontHandle original = SelectObject(dc, panelFont);
    SetTextColor(dc, 0x00FF00);
    created->Draw(buffer.Surface(), 0, 0);
    EXPECT_EQ(SetTextColor(dc, 0x00FF00), ColorRef(0x00FF00));
    EXPECT_EQ(SelectObject(dc, original), panelFont);
    DeleteObject(panelFont);
}

TEST_F(TextTest, BadValuesAreReportedUnderTheTextCaptionAndChangeNothing)
{
    auto text = std::make_unique<Text>();
    for (std::u16string_view line : { u"Color=FFF", u"FrameColor=12345", u"Text=", u"Font=", u"Size=", u"Weight=", u"Align= " })
        EXPECT_FALSE(text->ReadValue(line)) << line.size();
    EXPECT_FALSE(text->ReadValue(u"Colour=FF0000"));
    EXPECT_FALSE(text->ReadValue(u"Interval=1000"));
    EXPECT_FALSE(text->ReadValue(u"Width="));
    EXPECT_FALSE(text->ReadValue(u"Size=", false));
    EXPECT_TRUE(text->ReadValue(u"CreateFont"));
    EXPECT_TRUE(text->ReadValue(u"CreateFont=ignored"));
    EXPECT_TRUE(text->ReadValue(u"Align=Diagonal"));

    std::string const bad = "Text - Ignoriere Fehler:";
    EXPECT_THAT(device_.ParsedEvents("msgbox"), EventsAre({
        BoxEvent(bad, "Color=FFF"),
        BoxEvent(bad, "FrameColor=12345"),
        BoxEvent(bad, "Text="),
        BoxEvent(bad, "Font="),
        BoxEvent(bad, "Size="),
        BoxEvent(bad, "Weight="),
        BoxEvent(bad, "Align= "),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Colour=FF0000"),
        BoxEvent("DesktopObject - Ignoriere unbekannten Wert:", "Interval=1000"),
        BoxEvent("DesktopObject - Ignoriere Fehler:", "Width="),
    }));

    // Still the black, unframed word "Text" of a section without keys.
    Prepare(*text);
    auto untouched = Read({});
    EXPECT_EQ(SizeOf(*text), SizeOf(*untouched));
    EXPECT_TRUE(Drawn(*text)->SamePixels(*Drawn(*untouched)));
}

TEST_F(TextTest, ALongerTextIsMeasuredAgainAndAShorterOneKeepsTheSize)
{
    auto text = Read<MeasuredText>({});
    EXPECT_EQ(text->measurings, 1);

    std::u16string_view const longer = u"A much longer text";
    text->SetText(longer.data(), longer.size());
    EXPECT_EQ(text->measurings, 2);
    EXPECT_EQ(SizeOf(*text), Measured(longer));

    text->SetText(u"ab", 2);
    EXPECT_EQ(text->measurings, 2);
    EXPECT_EQ(SizeOf(*text), Measured(longer));

    text->SetText(u"abc", 3);
    EXPECT_EQ(text->measurings, 3);
    EXPECT_EQ(SizeOf(*text), Measured(u"abc"));

    // A backslash and n break the line, also when read from the layout file.
    std::u16string_view const twoLines = u"first\\nsecond";
    text->SetText(twoLines.data(), twoLines.size());
    EXPECT_EQ(SizeOf(*text), Measured(u"first\r\nsecond"));
    EXPECT_EQ(text->GetHeight(), 2 * Measured(u"x").height);
    auto read = Read({ u"Text=first\\nsecond" });
    EXPECT_EQ(SizeOf(*read), Measured(u"first\r\nsecond"));

    // Only within the length: an n beyond it is not part of the text.
    auto cut = Read<MeasuredText>({});
    cut->SetText(u"abcd\\n", 5);
    EXPECT_EQ(SizeOf(*cut), Measured(u"abcd\\"));
}

TEST_F(TextTest, AWidthAndHeightGivenTogetherAreKept)
{
    auto both = Read({ u"Width=100", u"Height=20", u"Text=Ein viel zu langer Text" });
    EXPECT_EQ(SizeOf(*both), (Size { 100, 20 }));
    // The order of the lines does not matter: a long text read first decides nothing.
    auto textFirst = Read({ u"Text=Ein viel zu langer Text", u"Width=100", u"Height=20" });
    EXPECT_EQ(SizeOf(*textFirst), (Size { 100, 20 }));
    both->SetText(u"Noch ein viel zu langer Text", 28);
    EXPECT_EQ(SizeOf(*both), (Size { 100, 20 }));

    auto widthOnly = Read({ u"Width=100" });
    EXPECT_EQ(SizeOf(*widthOnly), Measured(u"Text"));
    auto heightOnly = Read({ u"Height=20" });
    EXPECT_EQ(SizeOf(*heightOnly), Measured(u"Text"));
    auto zeroWidth = Read({ u"Width=0", u"Height=20" });
    EXPECT_EQ(SizeOf(*zeroWidth), Measured(u"Text"));
}

TEST_F(TextTest, AFramedTextIsOutlinedAroundItsCopyAtOneOne)
{
    auto plain = Read({ u"Color=FF0000", u"Text=Ab,g" });
    auto framed = Read({ u"Color=FF0000", u"Text=Ab,g", u"FrameColor=FFFFFF" });
    EXPECT_EQ(SizeOf(*framed), SizeOf(*plain));

    int32_t const x = 20, y = 10;
    auto atOrigin = Drawn(*plain, x, y, kBlue);
    auto atOneOne = Drawn(*plain, x + 1, y + 1, kBlue);
    auto outlined = Drawn(*framed, x, y, kBlue);

    // The text itself lies where the plain one drawn at (1, 1) lies.
    outlined->ForEach([&](int32_t px, int32_t py) {
        EXPECT_EQ(outlined->At(px, py) == kRed, atOneOne->At(px, py) == kRed) << px << "," << py;
    });

    // Every glyph pixel has white copies on all eight sides of the text's place:
    // they show white or are mixed only with the red text, never with the background.
    static constexpr Point kAround[] = { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 2, 1 }, { 2, 2 }, { 1, 2 }, { 0, 2 }, { 0, 1 } };
    int whitePixels = 0;
    atOrigin->ForEach([&](int32_t px, int32_t py) {
        if (atOrigin->At(px, py) != kRed)
            return;
        for (Point offset : kAround) {
            uint32_t pixel = outlined->At(px + offset.x, py + offset.y);
            EXPECT_TRUE(Red(pixel) == 0xFF && Green(pixel) == Blue(pixel)) << px + offset.x << "," << py + offset.y;
            whitePixels += pixel == kWhite;
        }
    });
    EXPECT_GT(whitePixels, 0);

    // Nothing is filled: only pixels within two of a glyph pixel change.
    outlined->ForEach([&](int32_t px, int32_t py) {
        if (!outlined->Touched(px, py))
            return;
        bool nearGlyph = false;
        for (int32_t dy = 0; dy <= 2; ++dy) {
            for (int32_t dx = 0; dx <= 2; ++dx)
                nearGlyph = nearGlyph || (atOrigin->Inside(px - dx, py - dy) && atOrigin->Touched(px - dx, py - dy));
        }
        EXPECT_TRUE(nearGlyph) << px << "," << py;
    });
    Rect drawn = outlined->Changed();
    Rect glyphs = atOrigin->Changed();
    EXPECT_EQ(drawn, (Rect { glyphs.left, glyphs.top, glyphs.right + 2, glyphs.bottom + 2 }));

    // Far off the surface nothing is drawn, and the outline's offsets do not overflow.
    auto untouched = Drawn(*framed, INT32_MAX - 1, INT32_MAX - 1);
    framed->Draw(untouched->Surface(), INT32_MIN, INT32_MIN);
    EXPECT_EQ(untouched->Changed().right, INT32_MIN);
}

}
