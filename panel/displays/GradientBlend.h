#pragma once

// A vertical colour band blended over what the surface already shows: the
// battery's shaded cylinder is four of them.

#include "platform/Types.h"

#include <cstdint>

namespace panel {

class ScratchBitmap;

// Colours are 0xAARRGGBB, the layout of the surface's pixels. The bottom row
// gets `bottom`, each row above moves one step towards `top`; a row's alpha
// says how much of its colour replaces the pixels (255: all but 1/256).
// Only the part of `rect` that lies on the surface is touched.
void GradientBlend(ScratchBitmap& surface, platform::Rect const& rect, uint32_t top, uint32_t bottom);

}
