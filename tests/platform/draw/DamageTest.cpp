// A surface remembers the bounding box of what was written to it, so that a
// screen copies just that: every way of writing must count, within the clip.

#include "platform/draw/Canvas.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(SurfaceDamage, EveryWriteCountsWithinTheClipAndTakingEmptiesIt)
{
    Surface surface(100, 80);
    EXPECT_EQ(surface.TakeDamage(), (Rect {})) << "a new surface has nothing to show yet";
    Canvas canvas(surface, { 10, 10, 90, 70 }, { 5, 0 });

    canvas.FillRect({ 0, 0, 20, 20 }, 0xFF);
    EXPECT_EQ(surface.TakeDamage(), (Rect { 10, 10, 25, 20 }));
    EXPECT_EQ(surface.TakeDamage(), (Rect {}));

    canvas.FillRect({ 200, 200, 300, 300 }, 0xFF);
    EXPECT_EQ(surface.TakeDamage(), (Rect {})) << "a fill outside the clip writes nothing";

    canvas.DrawLine({ 20, 30 }, { 40, 35 }, 1, 0xFF);
    EXPECT_EQ(surface.TakeDamage(), (Rect { 25, 30, 46, 36 }));

    Surface source(8, 8, 0x123456);
    canvas.CopyFrom({ 80, 60 }, 8, 8, source, { 0, 0, 8, 8 }, {});
    EXPECT_EQ(surface.TakeDamage(), (Rect { 85, 60, 90, 68 }));

    uint8_t coverage[4] = { 255, 255, 255, 255 };
    canvas.BlendCoverage({ 10, 15 }, 2, 2, coverage, 0xFFFFFF);
    canvas.FrameRect({ 40, 40, 50, 50 }, 1, 0xFF);
    EXPECT_EQ(surface.TakeDamage(), (Rect { 15, 15, 55, 50 })) << "writes gather into one box";

    surface.Resize(120, 90, 0);
    EXPECT_EQ(surface.TakeDamage(), (Rect { 0, 0, 120, 90 }));
}

}
}
