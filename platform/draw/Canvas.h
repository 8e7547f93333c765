#pragma once

// Pixel work on one surface in a device context's coordinates: the point
// (x, y) lands on the surface at (x + origin.x, y + origin.y), and nothing is
// ever written outside `clip`, which lies within the surface.

#include "platform/Types.h"
#include "platform/draw/Surface.h"

#include <cstdint>

namespace platform {

class Canvas {
public:
    // Inline: small fills should not pay for a call to set up their canvas.
    Canvas(Surface& surface, Rect clip, Point origin)
        : surface_(&surface)
        , clip_ { ClampTo(clip.left, surface.Width()), ClampTo(clip.top, surface.Height()),
            ClampTo(clip.right, surface.Width()), ClampTo(clip.bottom, surface.Height()) }
        , origin_(origin)
    {
    }

    Surface& Target() { return *surface_; }
    Rect Clip() const { return clip_; }
    Point Origin() const { return origin_; }
    // The same canvas, clipped also to `rect` (canvas coordinates).
    Canvas ClippedTo(Rect const& rect) const;

    void FillRect(Rect const& rect, uint32_t pixel);
    // A band `thickness` wide along the inside of every edge of `rect`.
    void FrameRect(Rect const& rect, int32_t thickness, uint32_t pixel);
    // From `from` towards `to`, leaving out `to` itself. A width above one
    // stamps a square of that size centred on every point of the line.
    void DrawLine(Point from, Point to, int32_t width, uint32_t pixel);
    // `width` x `height` pixels from `source`, whose top-left is `sourceTopLeft` in the
    // source's own pixels, to `topLeft` of this canvas. Only pixels that lie in
    // `sourceBounds` and land inside the clip move; overlapping copies are safe.
    void CopyFrom(Point topLeft, int32_t width, int32_t height, Surface const& source, Rect const& sourceBounds,
        Point sourceTopLeft);
    // Mixes `pixel` into the canvas by an 8-bit coverage map of `width` x `height`
    // (rows from the top, no padding), as glyphs are drawn.
    void BlendCoverage(Point topLeft, int32_t width, int32_t height, uint8_t const* coverage, uint32_t pixel);

private:
    static constexpr int32_t ClampTo(int32_t value, int32_t high) { return value < 0 ? 0 : value > high ? high : value; }
    // A rectangle in surface coordinates cut to the clip.
    Rect ClipSurfaceRect(int64_t left, int64_t top, int64_t right, int64_t bottom) const;
    void FillSurfaceRect(Rect const& rect, uint32_t pixel);

    Surface* surface_;
    Rect clip_;
    Point origin_;
};

}
