#pragma once

// What the graphics tables hold behind each handle. Stock objects are shared
// by every device context and survive deletion.

#include "platform/Drawing.h"
#include "platform/draw/Surface.h"

#include <memory>

namespace platform {

class FontFace;

struct BitmapObject {
    Surface pixels;
    bool stock = false;
};

struct BrushObject {
    ColorRef color = 0;
    bool hollow = false;
    bool stock = false;
};

struct PenObject {
    ColorRef color = 0;
    int32_t width = 1;
    bool visible = true;
    bool stock = false;
};

struct FontObject {
    LogFont logFont;
    // Realized on first use for the stock font, at creation for the others.
    std::shared_ptr<FontFace> face;
    bool stock = false;
};

struct DeviceContextState {
    enum class Kind { Screen, Window, Memory };
    Kind kind = Kind::Memory;
    WindowHandle window;
    BitmapHandle bitmap;
    FontHandle font;
    PenHandle pen;
    BrushHandle brush;
    ColorRef textColor = 0x000000;
    ColorRef backgroundColor = 0xFFFFFF;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    Point position;
};

}
