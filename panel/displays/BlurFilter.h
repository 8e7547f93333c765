#pragma once

// A 3 x 3 smoothing pass over a rectangle of the back buffer, optionally
// pulling every pixel towards a tint. The rectangle's outermost ring is only
// read, never written.

#include "panel/displays/ScratchBitmap.h"
#include "platform/Types.h"

#include <cstdint>

namespace panel {

class BlurFilter {
public:
    // Tinted passes first, then plain ones; scratch for 320 x 240 pixels.
    BlurFilter(platform::ColorRef tint, uint8_t tintedPasses, uint8_t plainPasses);
    // Plain passes only; scratch for 320 x 48 pixels.
    explicit BlurFilter(uint8_t passes);

    // Only the part of `rect` that lies on the surface and fits the scratch,
    // counted from its top-left corner, is filtered.
    void Apply(ScratchBitmap& surface, platform::Rect const& rect);

private:
    void Pass(ScratchBitmap& surface, platform::Rect const& rect, bool tinted);

    platform::ColorRef tint_ = 0;
    uint8_t tintedPasses_ = 0;
    uint8_t plainPasses_ = 0;
    ScratchBitmap scratch_;
};

}
