#pragma once

// An invisible square that puts a gap between neighbours in a row or column.

#include "panel/core/DesktopObject.h"

namespace panel {

class Space : public DesktopObject {
public:
    bool ReadValue(char16_t const* line, size_t length, bool report) override;
    void Draw(ScratchBitmap&, int32_t, int32_t) override { }
    // The square's side overrides any Width or Height of the section.
    void Prepare(platform::DeviceContext dc) override;

    void SetSpaceSize(int32_t size) { spaceSize_ = size; }

private:
    int32_t spaceSize_ = 4;
};

}
