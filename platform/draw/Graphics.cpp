#include "platform/draw/Graphics.h"

#include "platform/window/WindowSystem.h"

namespace platform {

Graphics::Graphics(WindowSystem& windows)
    : windows_(windows)
{
    stockBitmap_ = bitmaps_.Add(NextNumber(), { Surface(1, 1, 0), true });
    whiteBrush_ = brushes_.Add(NextNumber(), { 0xFFFFFF, false, true });
    lightGrayBrush_ = brushes_.Add(NextNumber(), { 0xC0C0C0, false, true });
    hollowBrush_ = brushes_.Add(NextNumber(), { 0, true, true });
    blackPen_ = pens_.Add(NextNumber(), { 0x000000, 1, true, true });
    defaultFont_ = fonts_.Add(NextNumber(), { LogFont {}, nullptr, true });
}

Graphics::~Graphics() = default;

uint32_t Graphics::NextNumber()
{
    // Numbers are not reused, so a stale handle finds nothing rather than a
    // stranger; only after four billion objects does the count wrap, and then
    // it passes over the numbers still in use.
    while (nextNumber_ == 0 || InUse(nextNumber_))
        ++nextNumber_;
    return nextNumber_++;
}

bool Graphics::InUse(uint32_t number) const
{
    return contexts_.Find(DeviceContext { number }) || bitmaps_.Find(BitmapHandle { number })
        || brushes_.Find(BrushHandle { number }) || pens_.Find(PenHandle { number }) || fonts_.Find(FontHandle { number });
}

DeviceContextState Graphics::FreshState(DeviceContextState::Kind kind) const
{
    DeviceContextState state;
    state.kind = kind;
    state.font = defaultFont_;
    state.pen = blackPen_;
    state.brush = whiteBrush_;
    if (kind == DeviceContextState::Kind::Memory)
        state.bitmap = stockBitmap_;
    return state;
}

bool Graphics::Full() const
{
    return contexts_.Count() + bitmaps_.Count() + brushes_.Count() + pens_.Count() + fonts_.Count() >= kMaxObjects;
}

DeviceContext Graphics::GetDC(WindowHandle window)
{
    if (Full() || (window && !windows_.IsWindow(window)))
        return {};
    DeviceContextState state = FreshState(window ? DeviceContextState::Kind::Window : DeviceContextState::Kind::Screen);
    state.window = window;
    return contexts_.Add(NextNumber(), state);
}

bool Graphics::ReleaseDC(WindowHandle window, DeviceContext dc)
{
    DeviceContextState* state = Find(dc);
    if (!state || state->kind == DeviceContextState::Kind::Memory || state->window != window)
        return false;
    contexts_.Remove(dc);
    return true;
}

DeviceContext Graphics::CreateCompatibleDC(DeviceContext dc)
{
    if (Full() || (dc && !Find(dc)))
        return {};
    return contexts_.Add(NextNumber(), FreshState(DeviceContextState::Kind::Memory));
}

bool Graphics::DeleteDC(DeviceContext dc)
{
    DeviceContextState* state = Find(dc);
    if (!state || state->kind != DeviceContextState::Kind::Memory)
        return false;
    // What it had selected stays with its owners.
    contexts_.Remove(dc);
    return true;
}

BitmapHandle Graphics::AddBitmap(Surface pixels)
{
    return Full() ? BitmapHandle {} : bitmaps_.Add(NextNumber(), { std::move(pixels), false });
}

BrushHandle Graphics::AddBrush(BrushObject brush)
{
    brush.stock = false;
    return Full() ? BrushHandle {} : brushes_.Add(NextNumber(), brush);
}

PenHandle Graphics::AddPen(PenObject pen)
{
    pen.stock = false;
    return Full() ? PenHandle {} : pens_.Add(NextNumber(), pen);
}

FontHandle Graphics::AddFont(FontObject font)
{
    font.stock = false;
    return Full() ? FontHandle {} : fonts_.Add(NextNumber(), std::move(font));
}

BrushHandle Graphics::Stock(StockBrush brush) const
{
    switch (brush) {
    case StockBrush::White:
        return whiteBrush_;
    case StockBrush::LightGray:
        return lightGrayBrush_;
    case StockBrush::Hollow:
        return hollowBrush_;
    }
    return {};
}

template<typename HandleType>
bool Graphics::IsSelected(HandleType handle, HandleType DeviceContextState::*slot) const
{
    return contexts_.Any([&](DeviceContextState const& state) { return state.*slot == handle; });
}

template<typename HandleType, typename Table>
HandleType Graphics::SelectInto(DeviceContext dc, HandleType handle, HandleType DeviceContextState::*slot, Table const& table)
{
    DeviceContextState* state = Find(dc);
    if (!state || !table.Find(handle))
        return {};
    HandleType previous = state->*slot;
    state->*slot = handle;
    return previous;
}

template<typename HandleType, typename Table>
bool Graphics::DeleteFrom(Table& table, HandleType handle, HandleType DeviceContextState::*slot)
{
    auto* object = table.Find(handle);
    if (!object)
        return false;
    if (object->stock)
        return true;
    if (IsSelected(handle, slot))
        return false;
    table.Remove(handle);
    return true;
}

BitmapHandle Graphics::Select(DeviceContext dc, BitmapHandle bitmap)
{
    DeviceContextState* state = Find(dc);
    BitmapObject* object = Find(bitmap);
    if (!state || !object || state->kind != DeviceContextState::Kind::Memory)
        return {};
    // A bitmap has one device context at a time; only the stock one is shared.
    if (!object->stock && state->bitmap != bitmap && IsSelected(bitmap, &DeviceContextState::bitmap))
        return {};
    BitmapHandle previous = state->bitmap;
    state->bitmap = bitmap;
    return previous;
}

BrushHandle Graphics::Select(DeviceContext dc, BrushHandle brush)
{
    return SelectInto(dc, brush, &DeviceContextState::brush, brushes_);
}

PenHandle Graphics::Select(DeviceContext dc, PenHandle pen)
{
    return SelectInto(dc, pen, &DeviceContextState::pen, pens_);
}

FontHandle Graphics::Select(DeviceContext dc, FontHandle font)
{
    return SelectInto(dc, font, &DeviceContextState::font, fonts_);
}

bool Graphics::Delete(BitmapHandle bitmap)
{
    return DeleteFrom(bitmaps_, bitmap, &DeviceContextState::bitmap);
}

bool Graphics::Delete(BrushHandle brush)
{
    return DeleteFrom(brushes_, brush, &DeviceContextState::brush);
}

bool Graphics::Delete(PenHandle pen)
{
    return DeleteFrom(pens_, pen, &DeviceContextState::pen);
}

bool Graphics::Delete(FontHandle font)
{
    return DeleteFrom(fonts_, font, &DeviceContextState::font);
}

std::optional<Canvas> Graphics::WindowCanvasOf(DeviceContextState const& dc)
{
    if (dc.kind != DeviceContextState::Kind::Window)
        return std::nullopt;
    Surface* picture = windows_.PictureOf(dc.window);
    if (!picture)
        return std::nullopt;
    Point offset = windows_.ClientOffset(dc.window);
    Rect client = windows_.ClientRect(dc.window);
    return Canvas(*picture, Rect::FromSize(offset.x, offset.y, client.Width(), client.Height()), offset);
}

FontFace* Graphics::FaceOf(DeviceContextState const& dc)
{
    FontObject* font = Find(dc.font);
    if (!font)
        return nullptr;
    if (!font->face)
        font->face = fontLibrary_.Realize(font->logFont);
    return font->face.get();
}

}
