#include "panel/core/Animation.h"

#include <gtest/gtest.h>

using namespace panel;
using platform::Rect;

namespace {

Rect Opening(int32_t kind, uint64_t e, uint64_t t, Rect final)
{
    OpeningPosition(kind, e, t, final);
    return final;
}

Rect Closing(int32_t kind, uint64_t e, uint64_t t, Rect final)
{
    ClosingPosition(kind, e, t, final);
    return final;
}

TEST(Animation, OpeningFliesInFromOutsideAndReachesTheFinalPlace)
{
    Rect final = Rect::FromSize(0, 0, 128, 100);
    EXPECT_EQ(Opening(FlyDown, 400, 800, final).top, -50);
    EXPECT_EQ(Opening(FlyDown, 400 * 400, 800 * 800, final).top, -75); // accelerated
    Rect wide = Rect::FromSize(0, 0, 240, 50);
    EXPECT_EQ(Opening(FlyRight, 0, 800, wide).left, -240);
    EXPECT_EQ(Opening(FlyRight, 800, 800, wide).left, 0);
    EXPECT_EQ(Opening(FlyLeft, 0, 800, wide).left, 240);
    EXPECT_EQ(Opening(FlyUp, 0, 800, final).top, 100);
    Rect rolled = Opening(RollDown, 200, 800, final);
    EXPECT_EQ(rolled, Rect::FromSize(0, 0, 128, 25));
    // Diagonals combine one vertical and one horizontal movement; others stay.
    Rect placed = Rect::FromSize(30, 40, 100, 60);
    Rect diagonal = Opening(FlyDiagLeftUp, 300, 600, placed);
    EXPECT_EQ(diagonal.left, Opening(FlyLeft, 300, 600, placed).left);
    EXPECT_EQ(diagonal.top, Opening(FlyUp, 300, 600, placed).top);
    EXPECT_EQ(diagonal.Width(), 100);
    EXPECT_EQ(Opening(NoAnimation, 1, 2, placed), placed);
    EXPECT_EQ(Opening(42, 1, 2, placed), placed);
}

TEST(Animation, ClosingLeavesByItsOwnSizeOrPastTheEdges)
{
    Rect placed = Rect::FromSize(30, 40, 100, 60);
    EXPECT_EQ(Closing(FlyRight, 800, 800, placed).left, 130);
    EXPECT_EQ(Closing(FlyDown, 800, 800, placed).top, 100);
    EXPECT_EQ(Closing(FlyLeft, 800, 800, placed).left, -100);
    EXPECT_EQ(Closing(FlyUp, 800, 800, placed).top, -60);
    EXPECT_EQ(Closing(RollDown, 600, 800, placed), Rect::FromSize(30, 40, 100, 15));
    Rect diagonal = Closing(FlyDiagRightDown, 100, 800, placed);
    EXPECT_EQ(diagonal.left, 30 + 100 * 100 / 800);
    EXPECT_EQ(diagonal.top, 40 + 60 * 100 / 800);
}

TEST(Animation, LongAcceleratedAnimationsMoveWithoutOverflow)
{
    // 10 s accelerated: e*e*v reaches 10^8 * 480, far beyond 32 bits.
    uint64_t total = 10000ull * 10000ull;
    Rect wide = Rect::FromSize(0, 0, 480, 50);
    EXPECT_EQ(Opening(FlyRight, 5000ull * 5000ull, total, wide).left, 480 / 4 - 480);
    EXPECT_EQ(Opening(FlyRight, 9999ull * 9999ull, total, wide).left, int32_t(9999ull * 9999ull * 480 / total) - 480);
    // The largest animation time there is.
    uint64_t longest = 0xFFFFFFFFull * 0xFFFFFFFFull;
    EXPECT_EQ(Opening(FlyDown, longest / 4 + 1, longest, Rect::FromSize(0, 0, 10, 400)).top, 100 - 400);
}

}
