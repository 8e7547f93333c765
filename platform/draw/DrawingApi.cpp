// The drawing calls of Drawing.h, except text (TextApi.cpp) and painting:
// each finds its objects in the current backend's graphics tables and, to
// draw, the canvas of the device context.

#include "platform/Drawing.h"

#include "platform/Backend.h"
#include "platform/File.h"
#include "platform/draw/BitmapFile.h"
#include "platform/draw/BitmapLimits.h"
#include "platform/draw/Graphics.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

constexpr uint32_t kUncompressed = 0;
// Wider pens only cost time: nothing on a handheld's screen needs one.
constexpr int32_t kMaxPenWidth = 256;

Graphics& Tables()
{
    return CurrentBackend().Graphics();
}

// Left below right and top above bottom, as the platform takes rectangles given either way.
Rect Ordered(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return { std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom) };
}

Rect Inset(Rect const& rect, int32_t leading, int32_t trailing)
{
    return { Rect::Saturate(int64_t(rect.left) + leading), Rect::Saturate(int64_t(rect.top) + leading),
        Rect::Saturate(int64_t(rect.right) - trailing), Rect::Saturate(int64_t(rect.bottom) - trailing) };
}

void DrawPolyline(Graphics& tables, DeviceContextState const& dc, Point const* points, int32_t count)
{
    PenObject const* pen = tables.Find(dc.pen);
    if (!pen->visible)
        return;
    if (auto canvas = tables.CanvasOf(dc)) {
        for (int32_t i = 1; i < count; ++i)
            canvas->DrawLine(points[i - 1], points[i], pen->width, PixelOf(pen->color));
    }
}

}

DeviceContext GetDC(WindowHandle window)
{
    return Tables().GetDC(window);
}

bool ReleaseDC(WindowHandle window, DeviceContext dc)
{
    return Tables().ReleaseDC(window, dc);
}

DeviceContext CreateCompatibleDC(DeviceContext dc)
{
    return Tables().CreateCompatibleDC(dc);
}

bool DeleteDC(DeviceContext dc)
{
    return Tables().DeleteDC(dc);
}

BitmapHandle CreateDIBSection(DeviceContext dc, BitmapInfoHeader const& header, void** bits)
{
    if (bits)
        *bits = nullptr;
    Graphics& tables = Tables();
    // Only bottom-up 32-bit rows are the layout of a surface.
    if ((dc && !tables.Find(dc)) || header.size < 40 || header.bitCount != 32 || header.compression != kUncompressed
        || !IsAcceptableBitmapSize(header.width, header.height))
        return {};
    BitmapHandle bitmap = tables.AddBitmap(Surface(header.width, header.height, 0));
    if (bitmap && bits)
        *bits = tables.Find(bitmap)->pixels.Bits();
    return bitmap;
}

BitmapHandle CreateCompatibleBitmap(DeviceContext dc, int32_t width, int32_t height)
{
    Graphics& tables = Tables();
    if (!tables.Find(dc))
        return {};
    // The platform answers a zero size with a bitmap of one pixel.
    if (width == 0 || height == 0)
        width = height = 1;
    if (!IsAcceptableBitmapSize(width, height))
        return {};
    return tables.AddBitmap(Surface(width, height, 0));
}

BitmapHandle LoadBitmapFile(std::u16string_view path)
{
    File file = File::OpenForReading(path);
    if (!file.IsOpen())
        return {};
    return LoadBitmapFile(file);
}

BitmapHandle LoadBitmapFile(File& file)
{
    std::optional<Surface> picture = ReadBitmapFile(file);
    if (!picture)
        return {};
    return Tables().AddBitmap(std::move(*picture));
}

bool GetBitmapSize(BitmapHandle bitmap, Size& size)
{
    BitmapObject const* object = Tables().Find(bitmap);
    if (!object)
        return false;
    size = { object->pixels.Width(), object->pixels.Height() };
    return true;
}

BrushHandle CreateSolidBrush(ColorRef color)
{
    return Tables().AddBrush({ color & 0xFFFFFF, false, false });
}

BrushHandle GetStockBrush(StockBrush brush)
{
    return Tables().Stock(brush);
}

PenHandle CreatePen(int32_t style, int32_t width, ColorRef color)
{
    // Dashed and dotted styles (1 to 4) and the inside-frame style (6) draw solid.
    if (style < kSolidPen || style > 6)
        return {};
    return Tables().AddPen({ color & 0xFFFFFF, std::clamp(width, 1, kMaxPenWidth), style != kNullPen, false });
}

template<GraphicsObject Object>
Object SelectObject(DeviceContext dc, Object object)
{
    return Tables().Select(dc, object);
}

template<GraphicsObject Object>
bool DeleteObject(Object object)
{
    return Tables().Delete(object);
}

template BitmapHandle SelectObject(DeviceContext, BitmapHandle);
template BrushHandle SelectObject(DeviceContext, BrushHandle);
template PenHandle SelectObject(DeviceContext, PenHandle);
template FontHandle SelectObject(DeviceContext, FontHandle);
template bool DeleteObject(BitmapHandle);
template bool DeleteObject(BrushHandle);
template bool DeleteObject(PenHandle);
template bool DeleteObject(FontHandle);

bool FillRect(DeviceContext dc, Rect const& rect, BrushHandle brush)
{
    Graphics& tables = Tables();
    DeviceContextState const* state = tables.Find(dc);
    BrushObject const* fill = tables.Find(brush);
    if (!state || !fill)
        return false;
    if (auto canvas = tables.CanvasOf(*state); canvas && !fill->hollow)
        canvas->FillRect(rect, PixelOf(fill->color));
    return true;
}

bool Rectangle(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    Graphics& tables = Tables();
    DeviceContextState const* state = tables.Find(dc);
    if (!state)
        return false;
    auto canvas = tables.CanvasOf(*state);
    if (!canvas)
        return true;
    Rect rect = Ordered(left, top, right, bottom);
    PenObject const* pen = tables.Find(state->pen);
    BrushObject const* brush = tables.Find(state->brush);
    // The outline lies inside the rectangle; without one, the platform fills
    // one pixel less to the right and at the bottom.
    Rect inside = pen->visible ? Inset(rect, pen->width, pen->width) : Inset(rect, 0, 1);
    if (!brush->hollow)
        canvas->FillRect(inside, PixelOf(brush->color));
    if (pen->visible)
        canvas->FrameRect(rect, pen->width, PixelOf(pen->color));
    return true;
}

bool MoveToEx(DeviceContext dc, int32_t x, int32_t y, Point* previous)
{
    DeviceContextState* state = Tables().Find(dc);
    if (!state)
        return false;
    if (previous)
        *previous = state->position;
    state->position = { x, y };
    return true;
}

bool LineTo(DeviceContext dc, int32_t x, int32_t y)
{
    Graphics& tables = Tables();
    DeviceContextState* state = tables.Find(dc);
    if (!state)
        return false;
    Point line[2] = { state->position, { x, y } };
    DrawPolyline(tables, *state, line, 2);
    state->position = line[1];
    return true;
}

bool Polyline(DeviceContext dc, Point const* points, int32_t count)
{
    Graphics& tables = Tables();
    DeviceContextState const* state = tables.Find(dc);
    if (!state || !points || count < 2)
        return false;
    DrawPolyline(tables, *state, points, count);
    return true;
}

bool BitBlt(DeviceContext destination, int32_t x, int32_t y, int32_t width, int32_t height, DeviceContext source,
    int32_t sourceX, int32_t sourceY, uint32_t operation)
{
    Graphics& tables = Tables();
    DeviceContextState const* to = tables.Find(destination);
    DeviceContextState const* from = tables.Find(source);
    if (!to || !from || operation != kSourceCopy)
        return false;
    auto target = tables.CanvasOf(*to);
    auto origin = tables.CanvasOf(*from);
    // The screen is never read back: what it shows lives in the windows' pictures.
    if (!origin)
        return from->kind != DeviceContextState::Kind::Screen;
    if (!target || width <= 0 || height <= 0)
        return true;
    Point sourceTopLeft = { Rect::Saturate(int64_t(sourceX) + origin->Origin().x),
        Rect::Saturate(int64_t(sourceY) + origin->Origin().y) };
    target->CopyFrom({ x, y }, width, height, origin->Target(), origin->Clip(), sourceTopLeft);
    return true;
}

}
