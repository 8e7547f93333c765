#include "panel/core/Painter.h"

#include "panel/core/PanelWindow.h"
#include "panel/displays/ScratchBitmap.h"

namespace panel {

ScratchBitmap& Painter::Begin(platform::Rect const& rect)
{
    panel_.RestoreBackground(rect);
    return *panel_.backBuffer;
}

void Painter::CopyTo(platform::DeviceContext dc, platform::Rect const& rect)
{
    platform::BitBlt(dc, rect.left, rect.top, rect.Width(), rect.Height(), panel_.backBuffer->Dc(), rect.left, rect.top,
        platform::kSourceCopy);
}

void DirectPainter::End(platform::Rect const& rect)
{
    platform::DeviceContext dc = platform::GetDC(window_);
    CopyTo(dc, rect);
    platform::ReleaseDC(window_, dc);
}

}
