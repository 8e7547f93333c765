#pragma once

// Stands in for an object class this panel does not draw yet: it takes its
// place, keeps its refresh interval and reads the keys every object knows.

#include "panel/core/DesktopObject.h"

namespace panel {

class PlaceholderObject final : public DesktopObject {
public:
    explicit PlaceholderObject(uint32_t interval) { interval_ = interval; }
    void Draw(ScratchBitmap&, int32_t, int32_t) override { }
};

}
