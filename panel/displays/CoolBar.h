#pragma once

// The shaded bar of a gauge: outline, a gradient fill up to the fraction with
// diagonal stripes and a glassy highlight, and an optional centred text that
// is softened where it lies on the fill.

#include "panel/displays/ScratchBitmap.h"
#include "platform/Types.h"

#include <cstdint>

namespace panel {

struct CoolBarRequest {
    platform::ColorRef leftColor = 0;
    platform::ColorRef centerColor = 0;
    platform::ColorRef rightColor = 0;
    platform::ColorRef borderColor = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stripeSpacing = 0;
    uint32_t fraction = 0; // in 1/1024; more counts as 1024
    char16_t const* text = nullptr; // null or empty: no text
};

// Draws nothing unless the whole bar lies on the surface. A bar less than
// 3 pixels wide or high has no inside and gets only its outline.
void RenderCoolBar(ScratchBitmap& surface, CoolBarRequest const& request);

}
