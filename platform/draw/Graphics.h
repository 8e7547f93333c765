#pragma once

// The drawing objects of one backend: bitmaps, brushes, pens, fonts and the
// device contexts that select them, each known to the programs by a small
// handle. Stock objects exist from the start and are never deleted; an object
// selected into a device context cannot be deleted, so no device context ever
// refers to a missing object.

#include "platform/Drawing.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/FontLibrary.h"
#include "platform/draw/GraphicsObjects.h"
#include "platform/draw/ObjectTable.h"
#include "platform/draw/TextLayout.h"

#include <optional>

namespace platform {

class WindowSystem;

class Graphics {
public:
    explicit Graphics(WindowSystem& windows);
    ~Graphics();
    Graphics(Graphics const&) = delete;
    Graphics& operator=(Graphics const&) = delete;

    // More live objects than this is a leak; creation then fails.
    static constexpr size_t kMaxObjects = 65536;

    // Device contexts.
    DeviceContext GetDC(WindowHandle window);
    bool ReleaseDC(WindowHandle window, DeviceContext dc);
    DeviceContext CreateCompatibleDC(DeviceContext dc);
    bool DeleteDC(DeviceContext dc);
    DeviceContextState* Find(DeviceContext dc) const { return contexts_.Find(dc); }

    // Objects.
    BitmapHandle AddBitmap(Surface pixels);
    BrushHandle AddBrush(BrushObject brush);
    PenHandle AddPen(PenObject pen);
    FontHandle AddFont(FontObject font);
    BrushHandle Stock(StockBrush brush) const;
    BitmapObject* Find(BitmapHandle bitmap) const { return bitmaps_.Find(bitmap); }
    BrushObject* Find(BrushHandle brush) const { return brushes_.Find(brush); }
    PenObject* Find(PenHandle pen) const { return pens_.Find(pen); }
    FontObject* Find(FontHandle font) const { return fonts_.Find(font); }

    BitmapHandle Select(DeviceContext dc, BitmapHandle bitmap);
    BrushHandle Select(DeviceContext dc, BrushHandle brush);
    PenHandle Select(DeviceContext dc, PenHandle pen);
    FontHandle Select(DeviceContext dc, FontHandle font);
    bool Delete(BitmapHandle bitmap);
    bool Delete(BrushHandle brush);
    bool Delete(PenHandle pen);
    bool Delete(FontHandle font);

    // Where a device context draws: none for the screen's and for a window
    // that is gone. Never kept across calls: a window's picture is replaced
    // when the window changes size.
    std::optional<Canvas> CanvasOf(DeviceContextState const& dc)
    {
        // A memory device context, the common case, is answered inline.
        if (dc.kind != DeviceContextState::Kind::Memory)
            return WindowCanvasOf(dc);
        BitmapObject* bitmap = Find(dc.bitmap);
        if (!bitmap)
            return std::nullopt;
        return Canvas(bitmap->pixels, { 0, 0, bitmap->pixels.Width(), bitmap->pixels.Height() }, {});
    }
    // The face of the device context's font; null when no font can be loaded.
    FontFace* FaceOf(DeviceContextState const& dc);
    FontLibrary& Fonts() { return fontLibrary_; }
    TextLayout& Layout() { return textLayout_; }

private:
    std::optional<Canvas> WindowCanvasOf(DeviceContextState const& dc);
    uint32_t NextNumber();
    bool InUse(uint32_t number) const;
    bool Full() const;
    DeviceContextState FreshState(DeviceContextState::Kind kind) const;
    template<typename HandleType>
    bool IsSelected(HandleType handle, HandleType DeviceContextState::*slot) const;
    template<typename HandleType, typename Table>
    HandleType SelectInto(DeviceContext dc, HandleType handle, HandleType DeviceContextState::*slot, Table const& table);
    template<typename HandleType, typename Table>
    bool DeleteFrom(Table& table, HandleType handle, HandleType DeviceContextState::*slot);

    WindowSystem& windows_;
    FontLibrary fontLibrary_;
    TextLayout textLayout_;
    ObjectTable<DeviceContext, DeviceContextState> contexts_;
    ObjectTable<BitmapHandle, BitmapObject> bitmaps_;
    ObjectTable<BrushHandle, BrushObject> brushes_;
    ObjectTable<PenHandle, PenObject> pens_;
    ObjectTable<FontHandle, FontObject> fonts_;
    uint32_t nextNumber_ = 1;

    BitmapHandle stockBitmap_;
    BrushHandle whiteBrush_;
    BrushHandle lightGrayBrush_;
    BrushHandle hollowBrush_;
    PenHandle blackPen_;
    FontHandle defaultFont_;
};

}
