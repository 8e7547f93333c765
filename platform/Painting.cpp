#include "platform/Backend.h"
#include "platform/Drawing.h"
#include "platform/Windowing.h"

namespace platform {

// The invalid area is taken, and the background erased first when it is due:
// a procedure that answers the erase message with 0 leaves `erase` set.
DeviceContext BeginPaint(WindowHandle window, PaintStruct& paint)
{
    WindowSystem::Invalid invalid = CurrentBackend().Windows().Validate(window);
    paint.dc = GetDC(window);
    paint.paint = invalid.rect;
    paint.erase = invalid.erase;
    if (invalid.erase && paint.dc)
        paint.erase = SendMessage(window, Msg::EraseBackground, WParam(paint.dc.value), 0) == 0;
    return paint.dc;
}

bool EndPaint(WindowHandle window, PaintStruct const& paint)
{
    return ReleaseDC(window, paint.dc);
}

bool InvalidateRect(WindowHandle window, Rect const* rect, bool erase)
{
    return CurrentBackend().Windows().Invalidate(window, rect, erase);
}

}
