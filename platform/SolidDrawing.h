#pragma once

// Strokes in one colour that the programs draw again and again, each made of
// the drawing calls with their brush or pen created, selected, put back and
// deleted around it.

#include "platform/Drawing.h"

namespace platform {

void FillSolid(DeviceContext dc, Rect const& rect, ColorRef color);
// The rectangle's one-pixel outline, its inside left as it is.
void OutlineRect(DeviceContext dc, Rect const& rect, ColorRef color);

// A solid pen selected for the strokes of a scope, put back and deleted after.
class SelectedPen {
public:
    SelectedPen(DeviceContext dc, int32_t width, ColorRef color);
    ~SelectedPen();
    SelectedPen(SelectedPen const&) = delete;
    SelectedPen& operator=(SelectedPen const&) = delete;

private:
    DeviceContext dc_;
    PenHandle pen_;
    PenHandle previous_;
};

}
