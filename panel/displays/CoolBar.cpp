#include "panel/displays/CoolBar.h"

#include "config/Strings.h"
#include "platform/SolidDrawing.h"
#include "platform/draw/PixelColor.h"
#include "platform/pixels/PixelKernels.h"

#include <algorithm>
#include <cstring>

namespace panel {

using namespace platform;

namespace {

struct Bar {
    ScratchBitmap& surface;
    int32_t x;
    int32_t y;
    int32_t w;
    int32_t h;
    int32_t fill; // F: the fill covers columns x + 1 ... x + fill

    uint32_t* At(int32_t column, int32_t row) const { return surface.CursorAt(x + column, y + row).pixel; }
};

void Outline(Bar const& bar, ColorRef border)
{
    DeviceContext dc = bar.surface.Dc();
    SelectedPen pen(dc, 1, border);
    int32_t const right = bar.x + bar.w - 1;
    int32_t const bottom = bar.y + bar.h - 1;
    MoveToEx(dc, bar.x, bar.y, nullptr);
    LineTo(dc, right, bar.y);
    LineTo(dc, right, bottom);
    LineTo(dc, bar.x, bottom);
    LineTo(dc, bar.x, bar.y);
    if (bar.w >= 3 && bar.h >= 3) {
        MoveToEx(dc, bar.x + bar.fill + 1, bar.y, nullptr);
        LineTo(dc, bar.x + bar.fill + 1, bar.y + bar.h);
    }
}

// Left colour to centre over the first half of the bar, centre to right
// colour over the rest; then every inner row repeats the first.
void Gradient(Bar const& bar, CoolBarRequest const& request)
{
    int32_t const half = bar.w / 2;
    int32_t const count = bar.w - 2 - half;
    uint32_t* row = bar.At(1, 1);
    auto const ramp = pixels::ActiveKernels().ramp;
    ramp(row, size_t(std::min(bar.fill, half)), PixelOf(request.leftColor), PixelOf(request.centerColor), uint32_t(half));
    if (count > 0)
        ramp(row + half, size_t(std::clamp(bar.fill - half, 0, count)), PixelOf(request.centerColor),
            PixelOf(request.rightColor), uint32_t(count));
    for (int32_t k = 2; k <= bar.h - 2; ++k)
        std::memcpy(bar.At(1, k), row, size_t(bar.fill) * sizeof(uint32_t));
}

// Halfway back to the gradient: the text stays readable on the fill without
// looking pasted on.
void Soften(Bar const& bar, int32_t textLeft, int32_t textTop, int32_t firstRow, int32_t endRow, int32_t lastColumn)
{
    uint32_t const* gradient = bar.At(0, 1);
    int32_t const top = std::max(textTop + firstRow, 1);
    int32_t const bottom = std::min(textTop + endRow, bar.h - 1);
    int32_t const left = std::max(textLeft, 1);
    int32_t const right = std::min(lastColumn, bar.fill);
    for (int32_t k = top; k < bottom; ++k) {
        uint32_t* row = bar.At(0, k);
        for (int32_t j = left; j <= right; ++j)
            row[j] = Towards(gradient[j], row[j], 128);
    }
}

void CentredText(Bar const& bar, char16_t const* text)
{
    DeviceContext dc = bar.surface.Dc();
    LogFont logFont;
    logFont.height = bar.h - 2;
    FontHandle font = CreateFontIndirect(logFont);
    FontHandle previous = SelectObject(dc, font);
    int32_t const length = int32_t(config::StringLength(text));
    Size extent;
    GetTextExtentPoint(dc, text, length, extent);
    TextMetrics metrics;
    GetTextMetrics(dc, metrics);
    int32_t const left = (bar.w - extent.width) / 2;
    int32_t const top = (bar.h - extent.height) / 2;
    // Drawn without clipping: a text larger than the bar would spill over its neighbours.
    bool const fits = extent.width <= bar.w && extent.height <= bar.h;
    if (fits) {
        Rect place = Rect::FromSize(bar.x + left, bar.y + top, extent.width, extent.height);
        DrawText(dc, text, length, place, TextFormat::SingleLine | TextFormat::NoClip);
    }
    SelectObject(dc, previous);
    DeleteObject(font);
    if (fits)
        Soften(bar, left, top, metrics.internalLeading, metrics.ascent, left + extent.width - 1);
}

// Diagonal, rising to the right; only the inner rows.
void Stripes(Bar const& bar, ColorRef borderColor, int32_t spacing)
{
    if (spacing <= 0)
        return;
    uint32_t const border = PixelOf(borderColor);
    int32_t const innerHeight = bar.h - 2;
    for (int32_t k = 1; k <= innerHeight; ++k) {
        uint32_t* row = bar.At(1, k);
        for (int32_t j = (innerHeight - k) % spacing; j < bar.fill; j += spacing)
            row[j] = Towards(row[j], border, 48);
    }
}

// Strongest at the top, fading to 53/256 at row n; below it the fill stays as it is.
void Highlight(Bar const& bar)
{
    int32_t const n = (11 * bar.h) / 25;
    auto const moveTowards = pixels::ActiveKernels().moveTowards;
    for (int32_t k = 1; k <= n; ++k) {
        int32_t const a = ((n - k) * 67) / n + 53;
        moveTowards(bar.At(1, k), size_t(bar.fill), 0xFFFFFFu, uint32_t(a), 0x00FFFFFFu);
    }
}

}

void RenderCoolBar(ScratchBitmap& surface, CoolBarRequest const& request)
{
    int32_t const w = request.width;
    int32_t const h = request.height;
    if (!surface.Pixels() || w <= 0 || h <= 0 || request.x < 0 || request.y < 0
        || int64_t(request.x) + w > surface.Width() || int64_t(request.y) + h > surface.Height())
        return;
    uint32_t const f = std::min(request.fraction, 1024u);
    int32_t const innerWidth = std::max(w - 2, 0);
    Bar const bar { surface, request.x, request.y, w, h, int32_t((int64_t(innerWidth) * f) / 1024) };
    Outline(bar, request.borderColor);
    if (w < 3 || h < 3)
        return;
    Gradient(bar, request);
    if (request.text && request.text[0])
        CentredText(bar, request.text);
    Stripes(bar, request.borderColor, request.stripeSpacing);
    Highlight(bar);
}

}
