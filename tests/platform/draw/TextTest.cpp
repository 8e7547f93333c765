#include "platform/Drawing.h"
#include "tests/platform/draw/DrawTestSupport.h"
#include "tests/support/TestDevice.h"
#include "tests/support/PixelNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace platform;
using testing_support::InkBounds;
using testing_support::SectionDc;
using testing_support::TestDevice;

namespace {

using namespace testing_support::pixels;

class TextTest : public ::testing::Test {
protected:
    int32_t Width(std::u16string const& text, DeviceContext dc = {})
    {
        Size size;
        EXPECT_TRUE(GetTextExtentPoint(dc ? dc : probe_.Dc(), text.c_str(), int32_t(text.size()), size));
        return size.width;
    }
    Rect Calculate(std::u16string const& text, uint32_t format, Rect rect = { 0, 0, 0, 0 })
    {
        int32_t height = DrawText(probe_.Dc(), text.c_str(), int32_t(text.size()), rect, format | TextFormat::CalculateRect);
        EXPECT_EQ(height, rect.Height());
        return rect;
    }
    // The picture of `text` drawn on white, transparently, in black.
    std::vector<std::string> Drawn(SectionDc& section, std::u16string const& text, Rect rect, uint32_t format)
    {
        section.Fill(kWhite);
        SetBkMode(section.Dc(), BackgroundMode::Transparent);
        DrawText(section.Dc(), text.c_str(), int32_t(text.size()), rect, format);
        return Look(section);
    }
    static std::vector<std::string> Look(SectionDc const& section)
    {
        std::vector<std::string> rows;
        for (int32_t y = 0; y < section.Height(); ++y) {
            std::string row;
            for (int32_t x = 0; x < section.Width(); ++x)
                row.push_back(section.At(x, y) == kWhite ? '.' : '#');
            rows.push_back(row);
        }
        return rows;
    }

    TestDevice device_;
    SectionDc probe_ { 8, 8 };
};

}

TEST_F(TextTest, DefaultFontHasAThirteenPixelCell)
{
    TextMetrics metrics;
    ASSERT_TRUE(GetTextMetrics(probe_.Dc(), metrics));
    EXPECT_EQ(metrics.height, 13);
    EXPECT_EQ(metrics.ascent + metrics.descent, metrics.height);
    EXPECT_GT(metrics.descent, 0);
    EXPECT_GT(metrics.internalLeading, 0);
    EXPECT_LT(metrics.internalLeading, 5);
    EXPECT_GT(metrics.averageCharWidth, 3);
    EXPECT_LT(metrics.averageCharWidth, 10);
    EXPECT_GE(metrics.maxCharWidth, metrics.averageCharWidth);
    EXPECT_EQ(metrics.weight, 400);

    // An empty face name and a zero height are that same default font.
    FontHandle font = CreateFontIndirect(LogFont {});
    ASSERT_TRUE(font);
    FontHandle previous = SelectObject(probe_.Dc(), font);
    TextMetrics same;
    ASSERT_TRUE(GetTextMetrics(probe_.Dc(), same));
    EXPECT_EQ(same.height, metrics.height);
    EXPECT_EQ(same.averageCharWidth, metrics.averageCharWidth);
    SelectObject(probe_.Dc(), previous);
    EXPECT_TRUE(DeleteObject(font));
}

TEST_F(TextTest, ExtentsAddUpCharacterAdvances)
{
    Size size;
    ASSERT_TRUE(GetTextExtentPoint(probe_.Dc(), u"Text", 4, size));
    EXPECT_EQ(size.height, 13);
    EXPECT_GT(size.width, 15);
    EXPECT_LT(size.width, 40);
    EXPECT_EQ(Width(u"TextText"), 2 * size.width);
    EXPECT_EQ(Width(u"Te") + Width(u"xt"), size.width);
    ASSERT_TRUE(GetTextExtentPoint(probe_.Dc(), u"Text", -1, size));
    EXPECT_EQ(size.width, Width(u"Text"));
    EXPECT_EQ(Width(u""), 0);
    // Line breaks and other control characters take no room.
    EXPECT_EQ(Width(u"Te\r\nxt\t"), Width(u"Text"));
    EXPECT_FALSE(GetTextExtentPoint(probe_.Dc(), u"Text", -2, size));
    EXPECT_FALSE(GetTextExtentPoint(probe_.Dc(), nullptr, 4, size));
    EXPECT_FALSE(GetTextExtentPoint(DeviceContext { 777 }, u"Text", 4, size));
}

TEST_F(TextTest, LogicalFontHeightsWeightsAndFaces)
{
    auto metricsOf = [&](LogFont const& logFont, std::u16string const& text, TextMetrics& metrics) {
        FontHandle font = CreateFontIndirect(logFont);
        EXPECT_TRUE(font);
        FontHandle previous = SelectObject(probe_.Dc(), font);
        EXPECT_TRUE(GetTextMetrics(probe_.Dc(), metrics));
        int32_t width = Width(text);
        SelectObject(probe_.Dc(), previous);
        DeleteObject(font);
        return width;
    };
    TextMetrics metrics;
    LogFont cell;
    cell.height = 20;
    int32_t regular = metricsOf(cell, u"Text", metrics);
    EXPECT_EQ(metrics.height, 20);
    EXPECT_EQ(metrics.ascent + metrics.descent, 20);

    // A negative height is the em size: the cell adds the internal leading.
    LogFont em;
    em.height = -20;
    metricsOf(em, u"Text", metrics);
    EXPECT_GT(metrics.height, 20);
    EXPECT_EQ(metrics.height - metrics.internalLeading, 20);

    LogFont bold = cell;
    bold.weight = 700;
    EXPECT_GT(metricsOf(bold, u"Text", metrics), regular);
    EXPECT_EQ(metrics.weight, 700);
    bold.weight = 600;
    EXPECT_GT(metricsOf(bold, u"Text", metrics), regular);

    LogFont mono = cell;
    std::u16string name = u"DejaVu Sans Mono";
    std::copy(name.begin(), name.end(), mono.faceName);
    EXPECT_EQ(metricsOf(mono, u"iiii", metrics), metricsOf(mono, u"WWWW", metrics));

    // An unknown face falls back to an installed one; absurd heights are bounded.
    LogFont unknown = cell;
    std::u16string strange = u"No Such Face:style=*";
    std::copy(strange.begin(), strange.end(), unknown.faceName);
    EXPECT_GT(metricsOf(unknown, u"Text", metrics), 0);
    LogFont huge;
    huge.height = INT32_MIN;
    metricsOf(huge, u"T", metrics);
    EXPECT_GT(metrics.height, 100);
    EXPECT_LT(metrics.height, 5000);
}

TEST_F(TextTest, CalculatedRectanglesCoverEveryLine)
{
    int32_t text = Width(u"Text");
    Rect one = Calculate(u"Text", 0, { 10, 20, 10, 20 });
    EXPECT_EQ(one, (Rect { 10, 20, 10 + text, 33 }));

    Rect two = Calculate(u"Text\r\nTe", 0);
    EXPECT_EQ(two, (Rect { 0, 0, text, 26 }));
    EXPECT_EQ(Calculate(u"Te\r\nText", 0), two);

    // A lone CR or LF breaks a line too; a break at the very end starts none.
    EXPECT_EQ(Calculate(u"a\nb\rc", 0).Height(), 39);
    EXPECT_EQ(Calculate(u"Text\r\n", 0).Height(), 13);
    EXPECT_EQ(Calculate(u"Text\r\n\r\n", 0).Height(), 26);

    // On a single line, breaks are no breaks and take no room.
    EXPECT_EQ(Calculate(u"Te\r\nxt", TextFormat::SingleLine), (Rect { 0, 0, text, 13 }));

    // The rectangle's width counts only with word break.
    EXPECT_EQ(Calculate(u"Text Text", 0, { 0, 0, 5, 0 }), (Rect { 0, 0, Width(u"Text Text"), 13 }));

    Rect empty { 3, 4, 50, 60 };
    EXPECT_EQ(DrawText(probe_.Dc(), u"", 0, empty, TextFormat::CalculateRect), 0);
    EXPECT_EQ(empty, (Rect { 3, 4, 3, 4 }));
}

TEST_F(TextTest, WordBreakWrapsAtBlanksToTheWidth)
{
    int32_t fits = Width(u"aaa bbb");
    Rect wrapped = Calculate(u"aaa bbb ccc", TextFormat::WordBreak, { 0, 0, fits, 0 });
    EXPECT_EQ(wrapped, (Rect { 0, 0, fits, 26 }));
    int32_t pair = Width(u"nnn nnn");
    Rect narrower = Calculate(u"nnn nnn nnn", TextFormat::WordBreak, { 0, 0, pair - 1, 0 });
    EXPECT_EQ(narrower, (Rect { 0, 0, Width(u"nnn"), 39 }));

    // A word wider than the rectangle keeps a line of its own and widens the result.
    Rect wide = Calculate(u"a abcdefghij b", TextFormat::WordBreak, { 0, 0, 5, 0 });
    EXPECT_EQ(wide, (Rect { 0, 0, Width(u"abcdefghij"), 39 }));

    // Explicit breaks still break; single line turns word break off.
    EXPECT_EQ(Calculate(u"aaa\r\nbbb ccc", TextFormat::WordBreak, { 0, 0, 1000, 0 }).Height(), 26);
    EXPECT_EQ(Calculate(u"aaa bbb ccc", TextFormat::WordBreak | TextFormat::SingleLine, { 0, 0, 5, 0 }).Height(), 13);

    // Drawn, the blanks at a break vanish: the second line starts at the left edge.
    SectionDc section(120, 30);
    auto wrappedPicture = Drawn(section, u"aaa bbb ccc", { 2, 1, 2 + fits, 30 }, TextFormat::WordBreak | TextFormat::NoClip);
    section.Fill(kWhite);
    Rect first { 2, 1, 120, 30 };
    Rect second { 2, 14, 120, 30 };
    DrawText(section.Dc(), u"aaa bbb", -1, first, 0);
    DrawText(section.Dc(), u"ccc", -1, second, 0);
    EXPECT_EQ(wrappedPicture, Look(section));
}

TEST_F(TextTest, AlignmentPlacesTheInk)
{
    SectionDc section(100, 40);
    int32_t width = Width(u"Text");
    Rect rect { 10, 5, 90, 38 };
    Drawn(section, u"Text", rect, TextFormat::SingleLine | TextFormat::NoClip);
    Rect left = InkBounds(section, kWhite);
    ASSERT_GT(left.Width(), 0);
    // Glyphs may reach a pixel beyond their cell.
    EXPECT_GE(left.left, 9);
    EXPECT_LE(left.left, 12);
    EXPECT_GE(left.top, 5);
    EXPECT_LE(left.bottom, 5 + 13);

    auto shifted = [](Rect r, int32_t dx, int32_t dy) { return Rect { r.left + dx, r.top + dy, r.right + dx, r.bottom + dy }; };
    Drawn(section, u"Text", rect, TextFormat::SingleLine | TextFormat::Right | TextFormat::NoClip);
    EXPECT_EQ(InkBounds(section, kWhite), shifted(left, 80 - width, 0));
    Drawn(section, u"Text", rect, TextFormat::SingleLine | TextFormat::Center | TextFormat::NoClip);
    EXPECT_EQ(InkBounds(section, kWhite), shifted(left, (80 - width) / 2, 0));
    // Vertically within 33 rows: centred 10 rows down, at the bottom 20.
    Drawn(section, u"Text", rect, TextFormat::SingleLine | TextFormat::VerticalCenter | TextFormat::NoClip);
    EXPECT_EQ(InkBounds(section, kWhite), shifted(left, 0, 10));
    Drawn(section, u"Text", rect, TextFormat::SingleLine | TextFormat::Bottom | TextFormat::Right | TextFormat::NoClip);
    EXPECT_EQ(InkBounds(section, kWhite), shifted(left, 80 - width, 20));

    // Every line of a block is aligned on its own.
    auto block = Drawn(section, u"Te\r\nText", rect, TextFormat::Right | TextFormat::NoClip);
    Drawn(section, u"Text", shifted(rect, 0, 13), TextFormat::Right | TextFormat::NoClip);
    DrawText(section.Dc(), u"Te", -1, rect, TextFormat::Right | TextFormat::NoClip);
    EXPECT_EQ(block, Look(section));
}

TEST_F(TextTest, DrawTextReportsTheHeightItDrew)
{
    Rect rect { 0, 0, 8, 33 };
    EXPECT_EQ(DrawText(probe_.Dc(), u"Text\r\nText", -1, rect, 0), 26);
    EXPECT_EQ(DrawText(probe_.Dc(), u"Text", -1, rect, TextFormat::SingleLine), 13);
    EXPECT_EQ(DrawText(probe_.Dc(), u"Text", -1, rect, TextFormat::SingleLine | TextFormat::VerticalCenter), 23);
    EXPECT_EQ(DrawText(probe_.Dc(), u"Text", -1, rect, TextFormat::SingleLine | TextFormat::Bottom), 33);
    EXPECT_EQ(DrawText(probe_.Dc(), u"", -1, rect, 0), 0);
    EXPECT_EQ(DrawText(probe_.Dc(), u"Text", -5, rect, 0), 0);
    EXPECT_EQ(DrawText(probe_.Dc(), nullptr, 4, rect, 0), 0);
    EXPECT_EQ(DrawText(DeviceContext { 999 }, u"Text", 4, rect, 0), 0);
    EXPECT_EQ(rect, (Rect { 0, 0, 8, 33 }));
}

TEST_F(TextTest, PrefixCharactersUnderlineTheNextOne)
{
    SectionDc section(60, 16);
    Rect rect { 1, 1, 60, 16 };
    auto plain = Drawn(section, u"Text", rect, TextFormat::NoPrefix);
    auto marked = Drawn(section, u"&Text", rect, 0);
    // The same ink plus one row of underline beneath the first letter only.
    std::vector<int32_t> changedRows;
    for (int32_t y = 0; y < 16; ++y) {
        if (plain[size_t(y)] == marked[size_t(y)])
            continue;
        changedRows.push_back(y);
        size_t last = marked[size_t(y)].find_last_of('#');
        EXPECT_LT(int32_t(last), 1 + Width(u"T"));
    }
    ASSERT_EQ(changedRows.size(), 1u);
    TextMetrics metrics;
    GetTextMetrics(section.Dc(), metrics);
    EXPECT_GT(changedRows[0], 1 + metrics.ascent - 1);
    EXPECT_LT(changedRows[0], 1 + metrics.height);

    EXPECT_EQ(Drawn(section, u"a&&b", rect, 0), Drawn(section, u"a&b", rect, TextFormat::NoPrefix));
    EXPECT_EQ(Calculate(u"&Text", 0).right, Width(u"Text"));
    EXPECT_EQ(Calculate(u"&Text", TextFormat::NoPrefix).right, Width(u"&Text"));
    EXPECT_EQ(Calculate(u"Text&", 0).right, Width(u"Text"));
}

TEST_F(TextTest, TextIsClippedToItsRectangleUnlessTold)
{
    SectionDc section(60, 20);
    Rect rect { 5, 3, 12, 9 };
    Drawn(section, u"Text", rect, 0);
    Rect clipped = InkBounds(section, kWhite);
    ASSERT_GT(clipped.Width(), 0);
    EXPECT_GE(clipped.left, 5);
    EXPECT_GE(clipped.top, 3);
    EXPECT_LE(clipped.right, 12);
    EXPECT_LE(clipped.bottom, 9);

    Drawn(section, u"Text", rect, TextFormat::NoClip);
    Rect free = InkBounds(section, kWhite);
    EXPECT_GT(free.right, 12);
    EXPECT_GT(free.bottom, 9);
}

TEST_F(TextTest, ColoursAndBackgroundMode)
{
    SectionDc section(60, 20);
    int32_t width = Width(u"Text");
    SetTextColor(section.Dc(), Rgb(0, 0, 255));
    Rect rect { 3, 2, 60, 20 };
    DrawText(section.Dc(), u"Text", -1, rect, 0);
    // Opaque: the line's cell takes the background colour (white) first; the
    // ink is blue blended into white, channel by channel.
    bool solid = false;
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 0; x < 60; ++x) {
            uint32_t pixel = section.At(x, y);
            if (pixel == kWhite)
                continue;
            EXPECT_EQ(pixel & 0xFF, 0xFFu);
            EXPECT_EQ(pixel >> 16, (pixel >> 8) & 0xFF);
            solid = solid || pixel == 0x0000FF;
        }
    }
    EXPECT_TRUE(solid);

    // Ink and background of one colour: opaque shows exactly the cell.
    section.Fill(kWhite);
    SetTextColor(section.Dc(), Rgb(255, 0, 0));
    SetBkColor(section.Dc(), Rgb(255, 0, 0));
    DrawText(section.Dc(), u"Text", -1, rect, 0);
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 0; x < 3 + width; ++x) {
            bool cell = y >= 2 && y < 15 && x >= 3;
            ASSERT_EQ(section.At(x, y), cell ? kRed : kWhite) << x << "," << y;
        }
    }
    section.Fill(kWhite);
    SetBkMode(section.Dc(), BackgroundMode::Transparent);
    DrawText(section.Dc(), u"Text", -1, rect, 0);
    EXPECT_EQ(section.At(3, 2), kWhite);
    EXPECT_NE(InkBounds(section, kWhite), Rect {});
}

TEST_F(TextTest, GermanAndEuroCharactersHaveGlyphsOfTheirOwn)
{
    SectionDc section(30, 16);
    Rect rect { 2, 1, 30, 16 };
    auto missing = Drawn(section, u"\u0378", rect, 0);
    for (char16_t c : std::u16string(u"ÄÖÜäöüß€")) {
        std::u16string text(1, c);
        auto picture = Drawn(section, text, rect, 0);
        EXPECT_NE(InkBounds(section, kWhite), Rect {}) << int(c);
        EXPECT_NE(picture, missing) << int(c);
        EXPECT_GT(Width(text), 0);
    }
    // A surrogate pair is one character; an unpaired half is one too.
    EXPECT_EQ(Width(u"\U0010FFFD"), Width(u"\u0378"));
    EXPECT_EQ(Width(std::u16string(1, char16_t(0xD800))), Width(u"\uFFFD"));
}

TEST_F(TextTest, InkBlendsEveryChannelByOneCoverage)
{
    // Each pixel must be round((ink a + paper (255 - a)) / 255) in all three
    // channels for one coverage a: a channel that borrowed from its neighbour
    // or rounded differently would show here.
    SectionDc section(80, 16, 0x0AF078);
    SetBkMode(section.Dc(), BackgroundMode::Transparent);
    SetTextColor(section.Dc(), Rgb(200, 30, 91));
    Rect rect { 1, 1, 80, 16 };
    DrawText(section.Dc(), u"Wavy &gloss", -1, rect, 0);
    uint32_t const ink = 0xC81E5B, paper = 0x0AF078;
    auto mix = [](uint32_t s, uint32_t d, uint32_t a) { return (s * a + d * (255 - a) + 127) / 255; };
    int blended = 0;
    for (int32_t y = 0; y < 16; ++y) {
        for (int32_t x = 0; x < 80; ++x) {
            uint32_t pixel = section.At(x, y);
            bool explained = false;
            for (uint32_t a = 0; a <= 255 && !explained; ++a) {
                explained = true;
                for (int shift : { 0, 8, 16 })
                    explained = explained && mix((ink >> shift) & 0xFF, (paper >> shift) & 0xFF, a) == ((pixel >> shift) & 0xFF);
            }
            EXPECT_TRUE(explained) << x << "," << y << ": " << std::hex << pixel;
            blended += pixel != ink && pixel != paper;
        }
    }
    EXPECT_GT(blended, 20);
}
