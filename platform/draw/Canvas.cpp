#include "platform/draw/Canvas.h"

#include "platform/pixels/PixelKernels.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace platform {

__extension__ typedef __int128 Int128;

Rect Canvas::ClipSurfaceRect(int64_t left, int64_t top, int64_t right, int64_t bottom) const
{
    Rect cut {
        int32_t(std::clamp<int64_t>(left, clip_.left, clip_.right)),
        int32_t(std::clamp<int64_t>(top, clip_.top, clip_.bottom)),
        int32_t(std::clamp<int64_t>(right, clip_.left, clip_.right)),
        int32_t(std::clamp<int64_t>(bottom, clip_.top, clip_.bottom)),
    };
    if (cut.right <= cut.left || cut.bottom <= cut.top)
        return {};
    return cut;
}

Canvas Canvas::ClippedTo(Rect const& rect) const
{
    Canvas narrowed = *this;
    narrowed.clip_ = ClipSurfaceRect(int64_t(rect.left) + origin_.x, int64_t(rect.top) + origin_.y,
        int64_t(rect.right) + origin_.x, int64_t(rect.bottom) + origin_.y);
    return narrowed;
}

void Canvas::FillSurfaceRect(Rect const& rect, uint32_t pixel)
{
    if (rect.top >= rect.bottom || rect.left >= rect.right)
        return;
    surface_->AddDamage(rect);
    size_t const width = size_t(rect.right - rect.left);
    size_t const rows = size_t(rect.bottom - rect.top);
    auto const fill = pixels::ActiveKernels().fill;
    // Rows as wide as the surface lie end to end: one long row.
    if (rect.left == 0 && rect.right == surface_->Width())
        fill(surface_->Row(rect.bottom - 1), 0, width * rows, 1, pixel);
    else
        fill(surface_->Row(rect.top) + rect.left, -ptrdiff_t(surface_->Width()), width, rows, pixel);
}

void Canvas::FillRect(Rect const& rect, uint32_t pixel)
{
    FillSurfaceRect(ClipSurfaceRect(int64_t(rect.left) + origin_.x, int64_t(rect.top) + origin_.y,
                        int64_t(rect.right) + origin_.x, int64_t(rect.bottom) + origin_.y),
        pixel);
}

void Canvas::FrameRect(Rect const& rect, int32_t thickness, uint32_t pixel)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top || thickness <= 0)
        return;
    int64_t left = int64_t(rect.left) + origin_.x;
    int64_t top = int64_t(rect.top) + origin_.y;
    int64_t right = int64_t(rect.right) + origin_.x;
    int64_t bottom = int64_t(rect.bottom) + origin_.y;
    int64_t innerTop = std::min(top + thickness, bottom);
    int64_t innerBottom = std::max(bottom - thickness, innerTop);
    FillSurfaceRect(ClipSurfaceRect(left, top, right, innerTop), pixel);
    FillSurfaceRect(ClipSurfaceRect(left, innerBottom, right, bottom), pixel);
    FillSurfaceRect(ClipSurfaceRect(left, innerTop, std::min(left + thickness, right), innerBottom), pixel);
    FillSurfaceRect(ClipSurfaceRect(std::max(right - thickness, left), innerTop, right, innerBottom), pixel);
}

namespace {

// A line walked one step at a time along its major axis, the one it spans
// further; the minor axis follows by `minorDelta` in `steps`.
struct LineWalk {
    bool xMajor;
    int64_t steps;
    int64_t major0;
    int64_t minor0;
    int64_t majorStep;
    int64_t minorStep;
    int64_t minorDelta;
};

LineWalk WalkFrom(int64_t x0, int64_t y0, int64_t dx, int64_t dy)
{
    bool xMajor = std::abs(dx) >= std::abs(dy);
    return {
        xMajor,
        xMajor ? std::abs(dx) : std::abs(dy),
        xMajor ? x0 : y0,
        xMajor ? y0 : x0,
        (xMajor ? dx : dy) < 0 ? -1 : 1,
        (xMajor ? dy : dx) < 0 ? -1 : 1,
        xMajor ? std::abs(dy) : std::abs(dx),
    };
}

// The steps [first, last) whose stamp, covering [p - before, p - before + width)
// at p, meets [clipLow, clipHigh) along the major axis: a line from far outside
// costs no more than one across the surface.
std::pair<int64_t, int64_t> VisibleSteps(
    LineWalk const& walk, int64_t clipLow, int64_t clipHigh, int64_t before, int64_t width)
{
    int64_t low = clipLow + before - width + 1;
    int64_t high = clipHigh + before;
    int64_t first = walk.majorStep > 0 ? low - walk.major0 : walk.major0 - (high - 1);
    int64_t last = walk.majorStep > 0 ? high - walk.major0 : walk.major0 - low + 1;
    return { std::max<int64_t>(first, 0), std::min(last, walk.steps) };
}

}

void Canvas::DrawLine(Point from, Point to, int32_t width, uint32_t pixel)
{
    width = std::max(width, 1);
    int64_t x0 = int64_t(from.x) + origin_.x;
    int64_t y0 = int64_t(from.y) + origin_.y;
    int64_t dx = int64_t(to.x) - from.x;
    int64_t dy = int64_t(to.y) - from.y;
    LineWalk const walk = WalkFrom(x0, y0, dx, dy);
    if (walk.steps == 0)
        return;
    int64_t before = (width - 1) / 2;
    auto [first, last] = walk.xMajor ? VisibleSteps(walk, clip_.left, clip_.right, before, width)
                                     : VisibleSteps(walk, clip_.top, clip_.bottom, before, width);
    if (first >= last)
        return;
    if (width == 1) {
        int64_t x1 = x0 + dx;
        int64_t y1 = y0 + dy;
        surface_->AddDamage(ClipSurfaceRect(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1));
    }

    // A level or upright line is one rectangle: its stamps side by side.
    if (walk.minorDelta == 0) {
        int64_t const firstMajor = walk.major0 + first * walk.majorStep;
        int64_t const lastMajor = walk.major0 + (last - 1) * walk.majorStep;
        int64_t const low = std::min(firstMajor, lastMajor) - before;
        int64_t const high = std::max(firstMajor, lastMajor) - before + width;
        int64_t const minorLow = walk.minor0 - before;
        int64_t const minorHigh = minorLow + width;
        FillSurfaceRect(walk.xMajor ? ClipSurfaceRect(low, minorLow, high, minorHigh)
                                    : ClipSurfaceRect(minorLow, low, minorHigh, high),
            pixel);
        return;
    }

    // The minor offset of step i is floor((2 i d + n) / 2n): the nearest
    // pixel to the exact line, ties rounded away from the start. It is computed
    // once in 128 bits for the first visible step, then carried as a remainder.
    int64_t twoSteps = 2 * walk.steps;
    Int128 numerator = Int128(2) * first * walk.minorDelta + walk.steps;
    int64_t offset = int64_t(numerator / twoSteps);
    int64_t remainder = int64_t(numerator % twoSteps);
    for (int64_t i = first; i < last; ++i) {
        int64_t major = walk.major0 + i * walk.majorStep;
        int64_t minor = walk.minor0 + offset * walk.minorStep;
        int64_t x = walk.xMajor ? major : minor;
        int64_t y = walk.xMajor ? minor : major;
        if (width == 1) {
            if (x >= clip_.left && x < clip_.right && y >= clip_.top && y < clip_.bottom)
                surface_->Row(int32_t(y))[x] = pixel;
        } else {
            FillSurfaceRect(ClipSurfaceRect(x - before, y - before, x - before + width, y - before + width), pixel);
        }
        remainder += 2 * walk.minorDelta;
        if (remainder >= twoSteps) {
            remainder -= twoSteps;
            ++offset;
        }
    }
}

void Canvas::CopyFrom(Point topLeft, int32_t width, int32_t height, Surface const& source, Rect const& sourceBounds,
    Point sourceTopLeft)
{
    Rect bounds {
        std::clamp(sourceBounds.left, 0, source.Width()),
        std::clamp(sourceBounds.top, 0, source.Height()),
        std::clamp(sourceBounds.right, 0, source.Width()),
        std::clamp(sourceBounds.bottom, 0, source.Height()),
    };
    int64_t destinationX = int64_t(topLeft.x) + origin_.x;
    int64_t destinationY = int64_t(topLeft.y) + origin_.y;
    // Offsets k into the block that are valid at both ends.
    int64_t firstColumn = std::max({ int64_t(0), clip_.left - destinationX, bounds.left - int64_t(sourceTopLeft.x) });
    int64_t lastColumn = std::min({ int64_t(width), clip_.right - destinationX, bounds.right - int64_t(sourceTopLeft.x) });
    int64_t firstRow = std::max({ int64_t(0), clip_.top - destinationY, bounds.top - int64_t(sourceTopLeft.y) });
    int64_t lastRow = std::min({ int64_t(height), clip_.bottom - destinationY, bounds.bottom - int64_t(sourceTopLeft.y) });
    if (firstColumn >= lastColumn || firstRow >= lastRow)
        return;
    surface_->AddDamage({ int32_t(destinationX + firstColumn), int32_t(destinationY + firstRow),
        int32_t(destinationX + lastColumn), int32_t(destinationY + lastRow) });
    size_t bytes = size_t(lastColumn - firstColumn) * sizeof(uint32_t);
    // Whole rows of surfaces of one width lie end to end: one block, which
    // memmove copies right however it overlaps.
    if (firstColumn == 0 && lastColumn == source.Width() && lastColumn == surface_->Width() && destinationX == 0
        && sourceTopLeft.x == 0) {
        std::memmove(surface_->Row(int32_t(destinationY + lastRow - 1)),
            source.Row(int32_t(sourceTopLeft.y + lastRow - 1)), bytes * size_t(lastRow - firstRow));
        return;
    }
    auto copyRow = [&](int64_t k) {
        uint32_t const* from = source.Row(int32_t(sourceTopLeft.y + k)) + (sourceTopLeft.x + firstColumn);
        uint32_t* into = surface_->Row(int32_t(destinationY + k)) + (destinationX + firstColumn);
        std::memmove(into, from, bytes);
    };
    // Within one surface, a block moving down is copied from its last row up,
    // so no row is overwritten before it has been read.
    if (&source == surface_ && destinationY > sourceTopLeft.y) {
        for (int64_t k = lastRow - 1; k >= firstRow; --k)
            copyRow(k);
    } else {
        for (int64_t k = firstRow; k < lastRow; ++k)
            copyRow(k);
    }
}

void Canvas::BlendCoverage(Point topLeft, int32_t width, int32_t height, uint8_t const* coverage, uint32_t pixel)
{
    int64_t left = int64_t(topLeft.x) + origin_.x;
    int64_t top = int64_t(topLeft.y) + origin_.y;
    Rect area = ClipSurfaceRect(left, top, left + width, top + height);
    surface_->AddDamage(area);
    if (area.IsEmpty())
        return;
    uint8_t const* weights = coverage + size_t(area.top - top) * size_t(width) + size_t(area.left - left);
    pixels::ActiveKernels().blendCoverage(surface_->Row(area.top) + area.left, -ptrdiff_t(surface_->Width()), weights,
        size_t(width), size_t(area.right - area.left), size_t(area.bottom - area.top), pixel);
}

}
