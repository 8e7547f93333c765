#include "platform/Drawing.h"
#include "tests/platform/draw/DrawTestSupport.h"
#include "tests/support/TestDevice.h"
#include "tests/support/PixelNames.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace platform;
using testing_support::SectionDc;
using testing_support::TestDevice;

namespace {

using Picture = std::vector<std::string>;

using namespace testing_support::pixels;

class ShapesTest : public ::testing::Test {
protected:
    Picture Look(SectionDc const& section) const
    {
        return section.Picture({ { kWhite, '.' }, { kBlack, '#' }, { kRed, 'r' }, { kBlue, 'b' } });
    }
    void Pen(SectionDc const& section, int32_t style, int32_t width, ColorRef color)
    {
        DeleteObject(SelectObject(section.Dc(), CreatePen(style, width, color)));
    }
    void Brush(SectionDc const& section, BrushHandle brush) { DeleteObject(SelectObject(section.Dc(), brush)); }
    void Line(SectionDc const& section, Point from, Point to)
    {
        MoveToEx(section.Dc(), from.x, from.y, nullptr);
        LineTo(section.Dc(), to.x, to.y);
    }

    TestDevice device_;
    BrushHandle red_ = CreateSolidBrush(Rgb(255, 0, 0));
};

}

TEST_F(ShapesTest, FillRectCoversLeftAndTopButNotRightAndBottom)
{
    SectionDc section(6, 4);
    ASSERT_TRUE(FillRect(section.Dc(), { 1, 1, 4, 3 }, red_));
    EXPECT_EQ(Look(section), (Picture { "......", ".rrr..", ".rrr..", "......" }));

    // Empty and inside-out rectangles fill nothing.
    section.Fill(kWhite);
    EXPECT_TRUE(FillRect(section.Dc(), { 2, 2, 2, 4 }, red_));
    EXPECT_TRUE(FillRect(section.Dc(), { 4, 3, 1, 1 }, red_));
    EXPECT_EQ(Look(section), (Picture { "......", "......", "......", "......" }));
}

TEST_F(ShapesTest, FillRectIsClippedToTheBitmap)
{
    SectionDc section(6, 4);
    ASSERT_TRUE(FillRect(section.Dc(), { -3, -3, 2, 2 }, red_));
    ASSERT_TRUE(FillRect(section.Dc(), { 5, 3, 100, 100 }, GetStockBrush(StockBrush::LightGray)));
    EXPECT_EQ(section.Picture({ { kWhite, '.' }, { kRed, 'r' }, { 0xC0C0C0, 'g' } }),
        (Picture { "rr....", "rr....", "......", ".....g" }));

    ASSERT_TRUE(FillRect(section.Dc(), { INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX }, red_));
    EXPECT_EQ(Look(section), (Picture { "rrrrrr", "rrrrrr", "rrrrrr", "rrrrrr" }));
}

TEST_F(ShapesTest, RectangleOutlinesInsideItsEdgesAndFillsTheRest)
{
    SectionDc section(7, 5);
    Pen(section, kSolidPen, 1, Rgb(0, 0, 255));
    Brush(section, CreateSolidBrush(Rgb(255, 0, 0)));
    ASSERT_TRUE(Rectangle(section.Dc(), 1, 1, 6, 5));
    EXPECT_EQ(Look(section), (Picture { ".......", ".bbbbb.", ".brrrb.", ".brrrb.", ".bbbbb." }));

    // Corners given the other way round make the same rectangle.
    section.Fill(kWhite);
    ASSERT_TRUE(Rectangle(section.Dc(), 6, 5, 1, 1));
    EXPECT_EQ(Look(section), (Picture { ".......", ".bbbbb.", ".brrrb.", ".brrrb.", ".bbbbb." }));

    // A wider pen keeps its band inside the rectangle too.
    section.Fill(kWhite);
    Pen(section, kSolidPen, 2, Rgb(0, 0, 255));
    ASSERT_TRUE(Rectangle(section.Dc(), 0, 0, 7, 5));
    EXPECT_EQ(Look(section), (Picture { "bbbbbbb", "bbbbbbb", "bbrrrbb", "bbbbbbb", "bbbbbbb" }));
}

TEST_F(ShapesTest, RectangleWithHollowBrushOrNullPen)
{
    SectionDc section(5, 4, kBlack);
    Brush(section, GetStockBrush(StockBrush::Hollow));
    Pen(section, kSolidPen, 1, Rgb(255, 0, 0));
    ASSERT_TRUE(Rectangle(section.Dc(), 0, 0, 5, 4));
    EXPECT_EQ(Look(section), (Picture { "rrrrr", "r###r", "r###r", "rrrrr" }));

    // Without an outline the fill stops one pixel short on the right and at the bottom.
    section.Fill(kBlack);
    Brush(section, CreateSolidBrush(Rgb(0, 0, 255)));
    Pen(section, kNullPen, 1, 0);
    ASSERT_TRUE(Rectangle(section.Dc(), 0, 0, 5, 4));
    EXPECT_EQ(Look(section), (Picture { "bbbb#", "bbbb#", "bbbb#", "#####" }));
}

TEST_F(ShapesTest, LinesLeaveOutTheirEndPoint)
{
    SectionDc section(7, 4);
    Line(section, { 1, 0 }, { 5, 0 });
    Line(section, { 5, 1 }, { 1, 1 });
    Line(section, { 6, 0 }, { 6, 3 });
    EXPECT_EQ(Look(section), (Picture { ".####.#", "..#####", "......#", "......." }));

    // A line to where it starts draws nothing; LineTo moves the position on.
    section.Fill(kWhite);
    MoveToEx(section.Dc(), 2, 2, nullptr);
    ASSERT_TRUE(LineTo(section.Dc(), 2, 2));
    ASSERT_TRUE(LineTo(section.Dc(), 0, 0));
    ASSERT_TRUE(LineTo(section.Dc(), 3, 0));
    Point previous;
    MoveToEx(section.Dc(), 0, 0, &previous);
    EXPECT_EQ(previous, (Point { 3, 0 }));
    EXPECT_EQ(Look(section), (Picture { "###....", ".#.....", "..#....", "......." }));
}

TEST_F(ShapesTest, SlopedLinesTakeTheNearestPixelOfEveryColumn)
{
    // y = x / 3 rounded: 0, 0, 1, 1, 1, 2.
    SectionDc section(7, 3);
    Line(section, { 0, 0 }, { 6, 2 });
    EXPECT_EQ(Look(section), (Picture { "##.....", "..###..", ".....#." }));

    // Steep: x = y / 3 rounded, for y = 0 to 5.
    SectionDc steep(3, 7);
    Line(steep, { 0, 0 }, { 2, 6 });
    EXPECT_EQ(Look(steep), (Picture { "#..", "#..", ".#.", ".#.", ".#.", "..#", "..." }));
}

TEST_F(ShapesTest, WidePensThickenAroundTheLine)
{
    SectionDc section(7, 5);
    Pen(section, kSolidPen, 3, Rgb(0, 0, 255));
    Line(section, { 1, 2 }, { 5, 2 });
    EXPECT_EQ(Look(section), (Picture { ".......", "bbbbbb.", "bbbbbb.", "bbbbbb.", "......." }));
}

TEST_F(ShapesTest, LinesFromFarOutsideCrossTheBitmapWhereTheyShould)
{
    SectionDc section(5, 5);
    Line(section, { -1000000000, 1 }, { 1000000000, 1 });
    Line(section, { -2000000000, -2000000000 }, { 2000000000, 2000000000 });
    Line(section, { INT32_MAX, INT32_MIN }, { INT32_MAX, INT32_MAX });
    EXPECT_EQ(Look(section), (Picture { "#....", "#####", "..#..", "...#.", "....#" }));

    // Steep lines are visited along the other axis.
    section.Fill(kWhite);
    Line(section, { 3, INT32_MIN }, { 3, INT32_MAX });
    Line(section, { -10, 100 }, { -5, -200 });
    EXPECT_EQ(Look(section), (Picture { "...#.", "...#.", "...#.", "...#.", "...#." }));
}

TEST_F(ShapesTest, PolylineJoinsItsPointsAndLeavesOutTheLast)
{
    SectionDc section(4, 4);
    Point square[] = { { 0, 0 }, { 3, 0 }, { 3, 3 }, { 0, 3 } };
    ASSERT_TRUE(Polyline(section.Dc(), square, 4));
    EXPECT_EQ(Look(section), (Picture { "####", "...#", "...#", ".###" }));

    // The current position is neither used nor moved.
    Point position;
    MoveToEx(section.Dc(), 0, 0, &position);
    EXPECT_EQ(position, (Point { 0, 0 }));
    EXPECT_FALSE(Polyline(section.Dc(), square, 1));
    EXPECT_FALSE(Polyline(section.Dc(), nullptr, 4));
    EXPECT_FALSE(Polyline({}, square, 4));
}
