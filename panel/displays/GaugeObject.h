#pragma once

// What the memory and the storage objects share: the seven colours of their
// gauges and the keys that set them.

#include "panel/core/DesktopObject.h"
#include "panel/displays/Gauge.h"

#include <optional>
#include <string_view>

namespace panel {

class GaugeObject : public DesktopObject {
public:
    ~GaugeObject() override = default;

    GaugeColors const& Colors() const { return colors_; }

protected:
    // Color (text and border at once), TextColor, BorderColor, BackgroundColorLow,
    // BackgroundColorHigh, BackgroundColorCenter, LightColor, BlurColor. Nothing
    // when the line is none of them; otherwise whether its value was taken, a
    // bad one reported under `className`.
    std::optional<bool> ReadColor(char16_t const* line, size_t length, bool report, std::u16string_view className);

    GaugeColors colors_;
};

}
