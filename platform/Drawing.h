#pragma once

// Drawing, as the programs call it: device contexts with a selected bitmap,
// font, pen and brush; bitmaps with addressable 32-bit pixels; text through
// FreeType. One software renderer serves every backend, so the simulated
// screen and the desktop show the same pixels.

#include "platform/Types.h"

#include <concepts>
#include <cstdint>
#include <string_view>

namespace platform {

class File;

struct Size {
    int32_t width = 0;
    int32_t height = 0;
    constexpr bool operator==(Size const&) const = default;
};

// The header of a device-independent bitmap. A positive height stores rows
// bottom-up; 32 bits per pixel are blue, green, red and a fourth byte.
struct BitmapInfoHeader {
    uint32_t size = 40;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 32;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t colorsUsed = 0;
    uint32_t colorsImportant = 0;
};

// The logical-font record. Height > 0: cell height, < 0: character height,
// 0: the default; weight 0: the default (400).
struct LogFont {
    int32_t height = 0;
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    char16_t faceName[32] = {};
};

struct TextMetrics {
    int32_t height = 0;
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t internalLeading = 0;
    int32_t externalLeading = 0;
    int32_t averageCharWidth = 0;
    int32_t maxCharWidth = 0;
    int32_t weight = 0;
};

struct PaintStruct {
    DeviceContext dc;
    bool erase = false;
    Rect paint; // the invalid area, client coordinates
};

namespace TextFormat {
constexpr uint32_t Center = 0x1;
constexpr uint32_t Right = 0x2;
constexpr uint32_t VerticalCenter = 0x4;
constexpr uint32_t Bottom = 0x8;
constexpr uint32_t WordBreak = 0x10;
constexpr uint32_t SingleLine = 0x20;
constexpr uint32_t NoClip = 0x100;
constexpr uint32_t CalculateRect = 0x400;
constexpr uint32_t NoPrefix = 0x800;
}

enum class BackgroundMode : int32_t { Transparent = 1, Opaque = 2 };
enum class StockBrush { White = 0, LightGray = 1, Hollow = 5 };

constexpr uint32_t kSourceCopy = 0x00CC0020;
constexpr int32_t kSolidPen = 0;
constexpr int32_t kNullPen = 5;
// What the colour calls return for a device context that does not exist.
constexpr ColorRef kInvalidColor = 0xFFFFFFFF;

// Device contexts. GetDC(none) is the whole screen; a window's draws into
// its picture, with the client area's origin.
DeviceContext GetDC(WindowHandle window);
bool ReleaseDC(WindowHandle window, DeviceContext dc);
DeviceContext CreateCompatibleDC(DeviceContext dc);
bool DeleteDC(DeviceContext dc);

// Bitmaps. `bits` receives the pixel address of a section.
BitmapHandle CreateDIBSection(DeviceContext dc, BitmapInfoHeader const& header, void** bits);
BitmapHandle CreateCompatibleBitmap(DeviceContext dc, int32_t width, int32_t height);
// A device-independent bitmap file; none when it is missing or no valid bitmap.
BitmapHandle LoadBitmapFile(std::u16string_view path);
// The same from an open file, starting at its current position.
BitmapHandle LoadBitmapFile(File& file);
// Width and height of a bitmap; false for none.
bool GetBitmapSize(BitmapHandle bitmap, Size& size);

// Brushes, pens and fonts.
BrushHandle CreateSolidBrush(ColorRef color);
BrushHandle GetStockBrush(StockBrush brush);
PenHandle CreatePen(int32_t style, int32_t width, ColorRef color);
FontHandle CreateFontIndirect(LogFont const& font);

// What a device context selects, one of each kind at a time.
template<typename Object>
concept GraphicsObject = std::same_as<Object, BitmapHandle> || std::same_as<Object, BrushHandle>
    || std::same_as<Object, PenHandle> || std::same_as<Object, FontHandle>;

// Selection returns the object of the same kind that was selected before.
template<GraphicsObject Object>
Object SelectObject(DeviceContext dc, Object object);
// Stock objects survive deletion; a selected object is not deleted.
template<GraphicsObject Object>
bool DeleteObject(Object object);

// Drawing.
bool FillRect(DeviceContext dc, Rect const& rect, BrushHandle brush);
// Outlined with the pen, filled with the brush.
bool Rectangle(DeviceContext dc, int32_t left, int32_t top, int32_t right, int32_t bottom);
bool MoveToEx(DeviceContext dc, int32_t x, int32_t y, Point* previous);
bool LineTo(DeviceContext dc, int32_t x, int32_t y);
bool Polyline(DeviceContext dc, Point const* points, int32_t count);
bool BitBlt(DeviceContext destination, int32_t x, int32_t y, int32_t width, int32_t height, DeviceContext source,
    int32_t sourceX, int32_t sourceY, uint32_t operation);

// The platform's frame controls. Only the push button of the button type is
// drawn; it fills the whole rectangle, edges and face.
namespace FrameControl {
constexpr uint32_t Button = 4;
constexpr uint32_t PushButton = 0x10;
constexpr uint32_t Pushed = 0x200;
// Afterwards `rect` is the face inside the edges.
constexpr uint32_t AdjustRect = 0x2000;
}
// False, and nothing drawn, for a type or button kind that is not drawn.
bool DrawFrameControl(DeviceContext dc, Rect& rect, uint32_t type, uint32_t state);

// System colours in the classic scheme, by index, with or without the
// index flag that marks a colour value as a system colour.
namespace SystemColor {
constexpr int32_t IndexFlag = 0x40000000;
constexpr int32_t ButtonFace = 15;
constexpr int32_t ButtonShadow = 16;
constexpr int32_t ButtonText = 18;
constexpr int32_t ButtonHighlight = 20;
constexpr int32_t DarkShadow = 21;
constexpr int32_t Light = 22;
}
// 0 for an index the platform does not have.
ColorRef GetSysColor(int32_t index);

// Text. A CR LF pair, or a lone CR or LF, breaks a line; `count` -1 means up to the NUL.
ColorRef SetTextColor(DeviceContext dc, ColorRef color);
ColorRef SetBkColor(DeviceContext dc, ColorRef color);
BackgroundMode SetBkMode(DeviceContext dc, BackgroundMode mode);
// Returns the height of the text; with CalculateRect, `rect` becomes the text's extent.
int32_t DrawText(DeviceContext dc, char16_t const* text, int32_t count, Rect& rect, uint32_t format);
bool GetTextExtentPoint(DeviceContext dc, char16_t const* text, int32_t count, Size& size);
bool GetTextMetrics(DeviceContext dc, TextMetrics& metrics);

// Painting: the invalid area of a window, validated by EndPaint.
DeviceContext BeginPaint(WindowHandle window, PaintStruct& paint);
bool EndPaint(WindowHandle window, PaintStruct const& paint);
bool InvalidateRect(WindowHandle window, Rect const* rect, bool erase);

}
