#pragma once

// An invisible square that puts a gap between neighbours in a row or column.

#include "panel/core/DesktopObject.h"

namespace panel {

class Space : public DesktopObject {
public:
    // Space, the side of the square; then those of DesktopObject.
    static config::KeyTable<Space> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    void Draw(ScratchBitmap&, int32_t, int32_t) override { }
    // The square's side overrides any Width or Height of the section.
    void Prepare(platform::DeviceContext dc) override;

    void SetSpaceSize(int32_t size) { spaceSize_ = size; }

private:
    int32_t spaceSize_ = 4;
};

}
