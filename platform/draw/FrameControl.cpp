// The push-button frame control in the classic look: two one-pixel rings of
// edges around a face of the button colour. Raised, the light edges lie top
// and left; pushed, the rings turn dark at the top and left, so the button
// seems sunk into the screen.

#include "platform/Drawing.h"

#include "platform/Backend.h"
#include "platform/draw/Graphics.h"

namespace platform {

namespace {

constexpr int32_t kEdgeWidth = 2;
constexpr uint32_t kButtonKindBits = 0x1F;

struct RingColors {
    uint32_t topLeft;
    uint32_t bottomRight;
};

uint32_t SystemPixel(int32_t index)
{
    return PixelOf(GetSysColor(index));
}

// The bottom and right edges own the corners they share with the top and left ones.
void DrawRing(Canvas& canvas, Rect const& ring, RingColors colors)
{
    if (ring.right <= ring.left || ring.bottom <= ring.top)
        return;
    int32_t const lastColumn = ring.right - 1;
    int32_t const lastRow = ring.bottom - 1;
    canvas.FillRect({ ring.left, ring.top, lastColumn, ring.top + 1 }, colors.topLeft);
    canvas.FillRect({ ring.left, ring.top + 1, ring.left + 1, lastRow }, colors.topLeft);
    canvas.FillRect({ lastColumn, ring.top, ring.right, lastRow }, colors.bottomRight);
    canvas.FillRect({ ring.left, lastRow, ring.right, ring.bottom }, colors.bottomRight);
}

void DrawPushButton(Canvas& canvas, Rect const& rect, bool pushed)
{
    uint32_t const highlight = SystemPixel(SystemColor::ButtonHighlight);
    uint32_t const light = SystemPixel(SystemColor::Light);
    uint32_t const shadow = SystemPixel(SystemColor::ButtonShadow);
    uint32_t const darkShadow = SystemPixel(SystemColor::DarkShadow);
    RingColors const outer = pushed ? RingColors { darkShadow, highlight } : RingColors { highlight, darkShadow };
    RingColors const inner = pushed ? RingColors { shadow, light } : RingColors { light, shadow };
    DrawRing(canvas, rect, outer);
    DrawRing(canvas, rect.Inset(1), inner);
    canvas.FillRect(rect.Inset(kEdgeWidth), SystemPixel(SystemColor::ButtonFace));
}

}

bool DrawFrameControl(DeviceContext dc, Rect& rect, uint32_t type, uint32_t state)
{
    if (type != FrameControl::Button || (state & kButtonKindBits) != FrameControl::PushButton)
        return false;
    Graphics& tables = CurrentBackend().Graphics();
    DeviceContextState const* context = tables.Find(dc);
    if (!context)
        return false;
    if (auto canvas = tables.CanvasOf(*context))
        DrawPushButton(*canvas, rect, (state & FrameControl::Pushed) != 0);
    if (state & FrameControl::AdjustRect)
        rect = rect.Inset(kEdgeWidth);
    return true;
}

}
