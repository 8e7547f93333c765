#include "platform/SolidDrawing.h"

namespace platform {

void FillSolid(DeviceContext dc, Rect const& rect, ColorRef color)
{
    BrushHandle brush = CreateSolidBrush(color);
    FillRect(dc, rect, brush);
    DeleteObject(brush);
}

void OutlineRect(DeviceContext dc, Rect const& rect, ColorRef color)
{
    SelectedPen pen(dc, 1, color);
    BrushHandle previousBrush = SelectObject(dc, GetStockBrush(StockBrush::Hollow));
    Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, previousBrush);
}

SelectedPen::SelectedPen(DeviceContext dc, int32_t width, ColorRef color)
    : dc_(dc)
    , pen_(CreatePen(kSolidPen, width, color))
    , previous_(SelectObject(dc, pen_))
{
}

SelectedPen::~SelectedPen()
{
    SelectObject(dc_, previous_);
    DeleteObject(pen_);
}

}
