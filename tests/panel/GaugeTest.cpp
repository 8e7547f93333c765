#include "panel/displays/ByteCount.h"
#include "panel/displays/Gauge.h"
#include "tests/panel/GaugePicture.h"
#include "tests/support/TestDevice.h"
#include "tests/support/PixelNames.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

using namespace panel;
using namespace platform;
using namespace gauge_test;
using namespace testing_support;

namespace {

using namespace testing_support::pixels;

void ExpectCount(uint64_t value, float number, std::u16string_view unit)
{
    ByteCount count = FormatByteCount(value);
    EXPECT_FLOAT_EQ(count.number, number) << value;
    EXPECT_EQ(count.unit, unit) << value;
}

TEST(ByteCountTest, AUnitHoldsUpTo1048576BeforeTheNextOneIsTaken)
{
    ExpectCount(0, 0, u"Bytes");
    ExpectCount(500, 500, u"Bytes");
    ExpectCount(1023, 1023, u"Bytes");
    ExpectCount(1024, 1, u"KB");
    ExpectCount(2000, 1.953125f, u"KB");
    ExpectCount(1048576, 1024, u"KB");
    ExpectCount(1048577, 1, u"MB");
    // Bits shifted out on the way are lost: 1048576 + 1023 + 1 bytes is 1025 KB exactly.
    ExpectCount(1048576 + 1024, 1025.0f / 1024, u"MB");
    ExpectCount(uint64_t(1) << 40, 1024, u"GB");
    ExpectCount(uint64_t(5) << 40, 5, u"TB");
    // Beyond terabytes the unit is unknown, and the number no longer shrinks.
    ExpectCount(uint64_t(1) << 60, 1024, u"?");
    ExpectCount(UINT64_MAX, 16383, u"?");
}

TEST(ByteCountTest, FillFractionIsInUnitsOf1024AndSurvivesLargeCounts)
{
    EXPECT_EQ(FillFraction(1, 4), 256u);
    EXPECT_EQ(FillFraction(1, 3), 341u);
    EXPECT_EQ(FillFraction(1023, 1024), 1023u);
    EXPECT_EQ(FillFraction(4, 4), 1024u);
    EXPECT_EQ(FillFraction(0, 0), 0u);
    EXPECT_EQ(FillFraction(5, 0), 0u);
    EXPECT_EQ(FillFraction(0, 1000), 0u);

    // Above 2^32 both counts are shifted together.
    EXPECT_EQ(FillFraction(uint64_t(1) << 40, uint64_t(1) << 41), 512u);
    EXPECT_EQ(FillFraction(uint64_t(3) << 33, uint64_t(4) << 33), 768u);
    EXPECT_EQ(FillFraction(uint64_t(1) << 40, uint64_t(5) << 40), 204u);
    // Counts of 22 bits and more are shifted even below 2^32.
    EXPECT_EQ(FillFraction(uint64_t(1) << 22, uint64_t(1) << 23), 512u);
    // A small total then shrinks to 0: the bar is empty rather than the division undefined.
    EXPECT_EQ(FillFraction(uint64_t(1) << 23, 1000), 0u);
    // More available than the total is reported as it is.
    EXPECT_EQ(FillFraction(2000, 1000), 2048u);
}

TEST(GaugeTest, HeightCountsTwoPixelsBelowEachTextLine)
{
    GaugeRequest request;
    request.lineHeight = 13;
    EXPECT_EQ(GaugeHeight(request), 0);
    request.flags = GaugeFlag::Label;
    EXPECT_EQ(GaugeHeight(request), 15);
    request.flags = GaugeFlag::Label | GaugeFlag::Value;
    EXPECT_EQ(GaugeHeight(request), 30);
    request.flags = GaugeFlag::Label | GaugeFlag::Value | GaugeFlag::Bar | GaugeFlag::Percent | GaugeFlag::Cool;
    EXPECT_EQ(GaugeHeight(request), 3 * 13 + 4);
    request.flags = GaugeFlag::Bar | GaugeFlag::Centered;
    EXPECT_EQ(GaugeHeight(request), 13);
}

class DrawGaugeTest : public ::testing::Test {
protected:
    BlurFilter blur_;
    static GaugeRequest Request(BackBuffer& picture, uint32_t flags, uint64_t available, uint64_t total)
    {
        GaugeRequest request;
        request.flags = flags;
        request.dc = picture.Dc();
        request.x = 10;
        request.y = 20;
        request.width = 100;
        request.label = u"Physical Memory";
        request.available = available;
        request.total = total;
        request.lineHeight = 14;
        return request;
    }

    static std::unique_ptr<BackBuffer> Drawn(uint32_t flags, uint64_t available, uint64_t total,
        void (*adjust)(GaugeRequest&) = nullptr)
    {
        auto picture = std::make_unique<BackBuffer>(kBarPaper);
        GaugeRequest request = Request(*picture, flags, available, total);
        if (adjust)
            adjust(request);
        BlurFilter blur;
        DrawGauge(picture->Surface(), request, blur);
        return picture;
    }

    // Every pixel of a plain bar at (10, top), 100 x 14: a frame, a fill from the left.
    static void ExpectPlainBar(BackBuffer const& picture, int32_t top, int32_t fillWidth, uint32_t fill, uint32_t border)
    {
        Rect const bar { 10, top, 110, top + 14 };
        int wrong = 0;
        picture.ForEach([&](int32_t x, int32_t y) {
            uint32_t expected = picture.Background();
            if (bar.Contains({ x, y })) {
                bool const ring = x == bar.left || x == bar.right - 1 || y == bar.top || y == bar.bottom - 1;
                expected = ring ? border : x < bar.left + fillWidth ? fill : picture.Background();
            }
            if (picture.At(x, y) != expected && wrong++ == 0)
                ADD_FAILURE() << "fill " << fillWidth << " at " << x << "," << y << ": " << std::hex << picture.At(x, y);
        });
        EXPECT_EQ(wrong, 0);
    }

    TestDevice device_;
};

TEST_F(DrawGaugeTest, APlainBarIsFilledInTheLowColourUpTo25PercentAndFramed)
{
    // Fractions 0, 256, 266, 276, 512 and 1024 of a 100-pixel bar.
    struct Case {
        uint64_t available;
        uint64_t total;
        int32_t fillWidth;
        uint32_t fill;
    };
    Case const cases[] = {
        { 0, 0, 0, kRed },
        { 25, 100, 25, kRed },
        { 26, 100, 25, kRed }, // fraction 266 is still 25 %
        { 27, 100, 26, kGreen }, // fraction 276, 26 %
        { 1, 2, 50, kGreen },
        { 7, 7, 100, kGreen },
    };
    for (Case const& c : cases)
        ExpectPlainBar(*Drawn(GaugeFlag::Bar, c.available, c.total), 20, c.fillWidth, c.fill, 0x000000);

    auto coloured = Drawn(GaugeFlag::Bar, 1, 2, [](GaugeRequest& request) {
        request.colors.borderColor = 0x332211; // 112233
        request.colors.backgroundColorHigh = 0x0000FF; // FF0000
    });
    ExpectPlainBar(*coloured, 20, 50, kRed, 0x112233);

    // Below the label and value lines; more available than the total fills only the bar.
    auto lower = Drawn(GaugeFlag::Bar, 3, 2, [](GaugeRequest& request) {
        request.flags |= GaugeFlag::Label | GaugeFlag::Value;
        request.colors.textColor = 0xFFFFFF;
    });
    BackBuffer barOnly(kBarPaper);
    GaugeRequest request = Request(barOnly, GaugeFlag::Bar, 3, 2);
    request.y = 20 + 2 * 16;
    DrawGauge(barOnly.Surface(), request, blur_);
    ExpectPlainBar(barOnly, 52, 100, kGreen, 0x000000);
    EXPECT_TRUE(lower->SamePixelsIn(barOnly, { 0, 52, 200, 120 }));
}

TEST_F(DrawGaugeTest, TheValueLineShowsAvailableOverTotalWithTwoDecimals)
{
    Rect const line { 10, 20, 110, 34 };
    uint32_t const format = TextFormat::SingleLine | TextFormat::NoPrefix;
    auto bytes = Drawn(GaugeFlag::Value, 500, 2000);
    EXPECT_TRUE(bytes->SamePixels(*TextAlone(kBarPaper, u"500.00Bytes / 1.95KB", line, format)));
    Rect ink = bytes->Changed();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 12);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.bottom, 34);

    auto large = Drawn(GaugeFlag::Value, uint64_t(1) << 40, uint64_t(5) << 40);
    EXPECT_TRUE(large->SamePixels(*TextAlone(kBarPaper, u"1024.00GB / 5.00TB", line, format)));

    // The label comes first, the value two pixels below it.
    auto both = Drawn(GaugeFlag::Label | GaugeFlag::Value, 1048577, 1048576);
    BackBuffer expected(kBarPaper);
    Rect labelLine = line;
    Rect valueLine { 10, 36, 110, 50 };
    DrawText(expected.Dc(), u"Physical Memory", -1, labelLine, format);
    DrawText(expected.Dc(), u"1.00MB / 1024.00KB", -1, valueLine, format);
    EXPECT_TRUE(both->SamePixels(expected));
}

TEST_F(DrawGaugeTest, CentredLinesAreNotForcedOntoOneLine)
{
    auto centred = Drawn(GaugeFlag::Label | GaugeFlag::Centered, 0, 0, [](GaugeRequest& request) {
        request.label = u"Zwei\r\nZeilen";
        request.lineHeight = 40;
    });
    Rect ink = centred->Changed();
    EXPECT_LE(std::abs((ink.left - 10) - (110 - ink.right)), 2);
    EXPECT_GT(ink.bottom - ink.top, LineHeight());

    auto left = Drawn(GaugeFlag::Label, 0, 0, [](GaugeRequest& request) {
        request.label = u"Zwei\r\nZeilen";
        request.lineHeight = 40;
    });
    EXPECT_LE(left->Changed().bottom - left->Changed().top, LineHeight());
    EXPECT_LE(left->Changed().left, 12);

    // No label text draws nothing, and the lines are drawn in the text colour only.
    EXPECT_TRUE(Drawn(GaugeFlag::Label, 0, 0, [](GaugeRequest& request) { request.label = nullptr; })->Untouched());
    auto white = Drawn(GaugeFlag::Label, 0, 0, [](GaugeRequest& request) { request.colors.textColor = 0xFFFFFF; });
    bool sawWhite = false;
    white->ForEach([&](int32_t x, int32_t y) { sawWhite = sawWhite || white->At(x, y) == 0xFFFFFF; });
    EXPECT_TRUE(sawWhite);
}

TEST_F(DrawGaugeTest, ThePercentTextIsCentredInThePlainBarAndRestoresTheColour)
{
    Rect const bar { 10, 20, 110, 34 };
    uint32_t const format = TextFormat::Center | TextFormat::VerticalCenter | TextFormat::SingleLine | TextFormat::NoPrefix;
    for (auto [available, text] : { std::pair<uint64_t, std::u16string_view> { 26, u"25%" }, { 27, u"26%" }, { 100, u"100%" } }) {
        auto withText = Drawn(GaugeFlag::Bar | GaugeFlag::Percent, available, 100);
        auto barAlone = Drawn(GaugeFlag::Bar, available, 100);
        // The text on the drawn bar is exactly the platform's own drawing of it.
        BackBuffer expected(kBarPaper);
        GaugeRequest request = Request(expected, GaugeFlag::Bar, available, 100);
        DrawGauge(expected.Surface(), request, blur_);
        Rect place = bar;
        DrawText(expected.Dc(), text.data(), int32_t(text.size()), place, format);
        EXPECT_TRUE(withText->SamePixels(expected)) << available;

        Rect ink = withText->Changed(barAlone.get());
        EXPECT_GT(ink.left, 10);
        EXPECT_LT(ink.right, 110);
        EXPECT_LE(std::abs((ink.left - 10) - (110 - ink.right)), 2) << available;
        EXPECT_LE(std::abs((ink.top - 20) - (34 - ink.bottom)), 3) << available;
    }
    BackBuffer picture(kBarPaper);
    GaugeRequest request = Request(picture, GaugeFlag::Bar | GaugeFlag::Percent | GaugeFlag::Label, 1, 2);
    request.colors.textColor = 0x00FFFF;
    SetTextColor(picture.Dc(), 0x123456);
    DrawGauge(picture.Surface(), request, blur_);
    EXPECT_EQ(SetTextColor(picture.Dc(), 0), ColorRef(0x123456));
}

TEST_F(DrawGaugeTest, NarrowAndFlatPlainBarsStayInTheirRectangle)
{
    for (int32_t width : { 0, 1, 2 }) {
        for (int32_t height : { 0, 1, 2, 5 }) {
            BackBuffer narrow(kBarPaper);
            GaugeRequest request = Request(narrow, GaugeFlag::Bar | GaugeFlag::Percent, 1, 1);
            request.width = width;
            request.lineHeight = height;
            DrawGauge(narrow.Surface(), request, blur_);
            Rect changed = narrow.Changed();
            if (narrow.Untouched())
                continue;
            EXPECT_GE(changed.left, 10);
            EXPECT_GE(changed.top, 20);
            EXPECT_LE(changed.right, 10 + width);
            EXPECT_LE(changed.bottom, 20 + height);
        }
    }
}

}
