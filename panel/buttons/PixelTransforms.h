#pragma once

// The recolouring an icon gets once when it is loaded, and its blending into
// the panel's back buffer whenever it is drawn. Fully transparent pixels are
// never recoloured.

#include <cstdint>

namespace panel {

class IconImage;
class ScratchBitmap;

// Each of red, green, blue and alpha times its factor, capped at 255 and
// truncated; a negative product gives 0.
void ScaleChannels(IconImage& image, float red, float green, float blue, float alpha);
// Each amount added to its channel, the sum kept within 0..255.
void AddChannels(IconImage& image, int16_t red, int16_t green, int16_t blue, int16_t alpha);
// Red, green and blue all become their mean, truncated.
void MakeGray(IconImage& image);
// The image's top-left corner at (x, y), counted from the surface's top-left
// corner; what falls beyond the right and bottom edges is left out, and a
// negative position draws nothing. Each colour moves by alpha / 256 of the way.
void BlendOnto(IconImage const& image, ScratchBitmap& surface, int32_t x, int32_t y);

// The factor a percentage of a layout file stands for, in single precision.
float PercentFactor(int32_t percent);

}
