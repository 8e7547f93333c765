#include "panel/displays/ByteCount.h"
#include "panel/displays/CoolBar.h"
#include "panel/displays/Gauge.h"
#include "tests/panel/GaugePicture.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace panel;
using namespace platform;
using namespace gauge_test;
using namespace testing_support;

namespace {


// RenderCoolBar's picture, pixel by pixel from the formulas, on a plain background.
struct CoolBarPicture {
    CoolBarRequest request;
    uint32_t background;

    static int32_t Channel(uint32_t color, int32_t shift) { return int32_t(color >> shift & 0xFF); }
    static uint32_t Pixel(ColorRef color) { return PixelRgb(color & 0xFF, color >> 8 & 0xFF, color >> 16 & 0xFF); }

    // Column c, row r of the bar.
    uint32_t At(int32_t c, int32_t r) const
    {
        int32_t const w = request.width, h = request.height;
        int32_t const W = w - 2, H = h - 2;
        int32_t const F = W * int32_t(std::min(request.fraction, 1024u)) / 1024;
        uint32_t const border = Pixel(request.borderColor);
        if (r == 0 || r == h - 1 || c == 0 || c == w - 1 || c == F + 1)
            return border;
        int32_t const i = c - 1;
        if (i >= F)
            return background;
        int32_t const half = w / 2, count = W - half;
        int32_t channels[3];
        for (int32_t s = 0; s < 3; ++s) {
            int32_t const left = Channel(Pixel(request.leftColor), 16 - 8 * s);
            int32_t const centre = Channel(Pixel(request.centerColor), 16 - 8 * s);
            int32_t const right = Channel(Pixel(request.rightColor), 16 - 8 * s);
            int32_t v = i < half ? ((half - i) * left + i * centre) / half
                                 : ((count - (i - half)) * centre + (i - half) * right) / count;
            int32_t const j0 = (H - r) % request.stripeSpacing;
            if (i >= j0 && (i - j0) % request.stripeSpacing == 0)
                v += ((Channel(border, 16 - 8 * s) - v) * 48) >> 8;
            int32_t const n = 11 * h / 25;
            if (r <= n)
                v += ((255 - v) * (((n - r) * 67) / n + 53)) >> 8;
            channels[s] = v;
        }
        return PixelRgb(channels[0], channels[1], channels[2]);
    }
};

CoolBarRequest Bar(uint32_t fraction)
{
    CoolBarRequest request;
    request.leftColor = 0x0000FF; // FF0000
    request.centerColor = 0x00C060; // 60C000
    request.rightColor = 0x00FF00; // 00FF00
    request.borderColor = 0x000000;
    request.x = 30;
    request.y = 40;
    request.width = 100;
    request.height = 14;
    request.stripeSpacing = 10;
    request.fraction = fraction;
    return request;
}

class CoolBarTest : public ::testing::Test {
protected:
    static void ExpectCoolBar(BackBuffer const& picture, CoolBarRequest const& request)
    {
        CoolBarPicture const model { request, picture.Background() };
        Rect const bar = Rect::FromSize(request.x, request.y, request.width, request.height);
        ExpectPixels(picture, [&](int32_t x, int32_t y) {
            return bar.Contains({ x, y }) ? model.At(x - bar.left, y - bar.top) : picture.Background();
        }, "cool bar");
    }

    TestDevice device_;
};

TEST_F(CoolBarTest, EveryPixelFollowsTheGradientStripesAndHighlight)
{
    for (uint32_t fraction : { 0u, 256u, 266u, 276u, 512u, 1024u, 5000u }) {
        SCOPED_TRACE(fraction);
        BackBuffer picture(kBarPaper);
        RenderCoolBar(picture.Surface(), Bar(fraction));
        ExpectCoolBar(picture, Bar(fraction));
    }

    // A few pixels worked out by hand (bar at 30, 40; 100 x 14; n = 6 highlighted rows).
    BackBuffer full(kBarPaper);
    RenderCoolBar(full.Surface(), Bar(1024));
    EXPECT_EQ(full.At(31, 52), PixelRgb(207, 0, 0)); // left colour, striped: 255 - 48
    EXPECT_EQ(full.At(31, 41), PixelRgb(255, 107, 107)); // top row: 108/256 towards white
    EXPECT_EQ(full.At(80, 52), PixelRgb(99, 188, 0)); // last pixel of the first half
    EXPECT_EQ(full.At(128, 52), PixelRgb(2, 253, 0)); // last inner pixel
    EXPECT_EQ(full.At(31, 47), PixelRgb(255, 0, 0)); // below the highlight, off the stripes
    EXPECT_EQ(full.At(129, 45), 0u); // the end line lies on the outline

    BackBuffer quarter(kBarPaper);
    RenderCoolBar(quarter.Surface(), Bar(256));
    EXPECT_EQ(quarter.At(30 + 24, 47), PixelRgb(181, 88, 0)); // last of 24 fill pixels: (27 x 255 + 23 x 96) / 50
    EXPECT_EQ(quarter.At(30 + 25, 47), 0u); // end of the fill
    EXPECT_EQ(quarter.At(30 + 26, 47), kBarPaper);
}

TEST_F(CoolBarTest, OtherColoursAndSpacingsAndTheFullGradient)
{
    CoolBarRequest request = Bar(1024);
    request.leftColor = 0x102030;
    request.centerColor = 0xFFFFFF;
    request.rightColor = 0x804020;
    request.borderColor = 0x0000FF;
    request.width = 61;
    request.height = 30;
    request.stripeSpacing = 7;
    BackBuffer picture(0x000000);
    RenderCoolBar(picture.Surface(), request);
    ExpectCoolBar(picture, request);
    // The centre colour starts right after the first half; the highlight keeps white white.
    EXPECT_EQ(picture.At(request.x + 1 + 30, request.y + 1), 0xFFFFFFu);
}

TEST_F(CoolBarTest, BarsOffTheSurfaceOrTooSmallStayInTheirRectangle)
{
    for (CoolBarRequest request : { Bar(512), Bar(1024) }) {
        for (Point corner : { Point { 101, 40 }, Point { 30, 107 }, Point { -1, 40 }, Point { 30, -1 }, Point { INT32_MAX, 0 } }) {
            request.x = corner.x;
            request.y = corner.y;
            BackBuffer picture(kBarPaper);
            RenderCoolBar(picture.Surface(), request);
            EXPECT_TRUE(picture.Untouched()) << corner.x << "," << corner.y;
        }
    }
    // Exactly at the edge is drawn.
    CoolBarRequest edge = Bar(700);
    edge.x = 100;
    edge.y = 106;
    BackBuffer atEdge(kBarPaper);
    RenderCoolBar(atEdge.Surface(), edge);
    ExpectCoolBar(atEdge, edge);

    for (int32_t width : { -3, 0, 1, 2, 3 }) {
        for (int32_t height : { -1, 0, 1, 2, 3, 4 }) {
            CoolBarRequest request = Bar(1024);
            request.width = width;
            request.height = height;
            request.text = u"100%";
            BackBuffer picture(kBarPaper);
            RenderCoolBar(picture.Surface(), request);
            if (picture.Untouched())
                continue;
            Rect changed = picture.Changed();
            EXPECT_GE(changed.left, 30);
            EXPECT_GE(changed.top, 40);
            EXPECT_LE(changed.right, 30 + width) << width << "x" << height;
            EXPECT_LE(changed.bottom, 40 + height) << width << "x" << height;
        }
    }
    // Three by three has an inside of one pixel.
    CoolBarRequest small = Bar(1024);
    small.width = 3;
    small.height = 3;
    BackBuffer tiny(kBarPaper);
    RenderCoolBar(tiny.Surface(), small);
    ExpectCoolBar(tiny, small);
}

TEST_F(CoolBarTest, TheTextIsCentredAndSoftenedWhereItLiesOnTheFill)
{
    CoolBarRequest empty = Bar(0);
    empty.height = 20;
    BackBuffer plain(0xFFFFFF);
    RenderCoolBar(plain.Surface(), empty);
    CoolBarRequest withText = empty;
    withText.text = u"0%";
    BackBuffer text(0xFFFFFF);
    RenderCoolBar(text.Surface(), withText);
    Rect ink = text.Changed(&plain);
    EXPECT_GT(ink.left, 31);
    EXPECT_LT(ink.right, 129);
    EXPECT_GE(ink.top, 41);
    EXPECT_LE(ink.bottom, 59);
    EXPECT_LE(std::abs((ink.left - 30) - (130 - ink.right)), 2);
    bool sawBlack = false;
    text.ForEach([&](int32_t x, int32_t y) { sawBlack = sawBlack || text.At(x, y) == 0; });
    EXPECT_TRUE(sawBlack); // off the fill the glyphs are drawn as they are

    CoolBarRequest full = Bar(1024);
    full.height = 20;
    BackBuffer fill(0xFFFFFF);
    RenderCoolBar(fill.Surface(), full);
    full.text = u"100%";
    BackBuffer softened(0xFFFFFF);
    RenderCoolBar(softened.Surface(), full);
    Rect fillInk = softened.Changed(&fill);
    EXPECT_GE(fillInk.left, 31);
    EXPECT_LE(fillInk.right, 129);
    EXPECT_LE(std::abs((fillInk.left - 30) - (130 - fillInk.right)), 2);
    // Halfway back to the gradient: no glyph pixel is darker than half of what lies beneath it.
    int darker = 0;
    softened.ForEach([&](int32_t x, int32_t y) {
        uint32_t const under = fill.At(x, y), over = softened.At(x, y);
        if (under == over)
            return;
        ++darker;
        EXPECT_GE(Red(over) + 1, Red(under) / 2) << x << "," << y;
        EXPECT_GE(Green(over) + 1, Green(under) / 2) << x << "," << y;
    });
    EXPECT_GT(darker, 0);

    // The bar's own font is put back out of the context.
    BackBuffer picture(kBarPaper);
    LogFont large;
    large.height = 40;
    FontHandle panelFont = CreateFontIndirect(large);
    FontHandle original = SelectObject(picture.Dc(), panelFont);
    RenderCoolBar(picture.Surface(), full);
    EXPECT_EQ(SelectObject(picture.Dc(), original), panelFont);
    DeleteObject(panelFont);
}

class DrawCoolBarTest : public ::testing::Test {
protected:
    static GaugeRequest Request(BackBuffer& picture, uint64_t available, uint64_t total)
    {
        GaugeRequest request;
        request.flags = GaugeFlag::Bar | GaugeFlag::Cool;
        request.dc = picture.Dc();
        request.x = 30;
        request.y = 30;
        request.width = 100;
        request.lineHeight = 20;
        request.available = available;
        request.total = total;
        return request;
    }

    TestDevice device_;
    // One filter for every bar of a test, as a gauge keeps one for all its draws.
    BlurFilter blur_;
};

TEST_F(DrawCoolBarTest, TheBarLiesOnAGlowingTintedBlurOfThePanel)
{
    for (auto [available, total] : { std::pair<uint64_t, uint64_t> { 0, 0 }, { 1, 4 }, { 26, 100 }, { 27, 100 }, { 1, 2 }, { 9, 9 } }) {
        BackBuffer picture(kBarPaper);
        GaugeRequest request = Request(picture, available, total);
        DrawGauge(picture.Surface(), request, blur_);
        CoolBarRequest bar = Bar(FillFraction(available, total));
        bar.y = 30;
        bar.height = 20;
        CoolBarPicture const model { bar, kBarPaper };
        int32_t const fill = 98 * int32_t(FillFraction(available, total)) / 1024;
        // Outline and fill are the bar's own; only the unfilled inside shows the panel.
        ExpectPixels(picture, [&](int32_t x, int32_t y) {
            Rect const area { 30, 30, 130, 50 };
            if (!area.Contains({ x, y }))
                return kBarPaper;
            if (x - 30 <= fill + 1 || y == 30 || y == 49 || x == 129)
                return model.At(x - 30, y - 30);
            return picture.At(x, y);
        }, "drawn cool bar");

        if (fill > 40)
            continue;
        // Deep inside: one tinted pass of a plain colour, (28 x paper + 4 x tint) / 32; plain passes keep it.
        EXPECT_EQ(picture.At(100, 40), PixelRgb(36, 87, 115)) << available;
        // Next to the outline the light glows through.
        EXPECT_GT(Red(picture.At(128, 40)), 36u);
        EXPECT_GT(Red(picture.At(100, 31)), 36u);
        EXPECT_GT(Red(picture.At(100, 48)), 36u);
    }
}

TEST_F(DrawCoolBarTest, APercentTextShowsOnlyWithItsFlagAndBarsOffTheSurfaceAreSafe)
{
    BackBuffer without(kBarPaper);
    DrawGauge(without.Surface(), Request(without, 1, 2), blur_);
    BackBuffer with(kBarPaper);
    GaugeRequest percent = Request(with, 1, 2);
    percent.flags |= GaugeFlag::Percent;
    DrawGauge(with.Surface(), percent, blur_);
    Rect ink = with.Changed(&without);
    EXPECT_GE(ink.left, 31);
    EXPECT_LE(ink.right, 129);
    EXPECT_LE(std::abs((ink.left - 30) - (130 - ink.right)), 2);

    // Reaching over any edge: nothing is drawn beyond the surface (and no pixel outside is touched).
    for (Point corner : { Point { -50, 10 }, Point { 150, 10 }, Point { 10, -10 }, Point { 10, 110 } }) {
        BackBuffer picture(kBarPaper);
        GaugeRequest request = Request(picture, 1, 2);
        request.flags |= GaugeFlag::Percent;
        request.x = corner.x;
        request.y = corner.y;
        DrawGauge(picture.Surface(), request, blur_);
        Rect changed = picture.Changed();
        if (picture.Untouched())
            continue;
        EXPECT_GE(changed.left, std::max(corner.x, 0));
        EXPECT_LE(changed.right, corner.x + 100);
    }
    // A bar too wide for the blur's scratch is still drawn whole.
    BackBuffer wide(kBarPaper, 400, 80);
    GaugeRequest request = Request(wide, 1, 2);
    request.width = 380;
    request.lineHeight = 60;
    request.x = 10;
    request.y = 10;
    DrawGauge(wide.Surface(), request, blur_);
    EXPECT_EQ(wide.At(389, 40), 0u);
    EXPECT_EQ(wide.At(200, 69), 0u);
}

}
