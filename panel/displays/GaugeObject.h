#pragma once

// What the memory and the storage objects share: the seven colours of their
// gauges and the keys that set them.

#include "panel/core/DesktopObject.h"
#include "panel/displays/Gauge.h"

#include <span>
#include <string_view>

namespace panel {

class GaugeObject : public DesktopObject {
public:
    // A gauge is due every ten minutes unless its section says otherwise.
    GaugeObject() { interval_ = 600000; }
    ~GaugeObject() override = default;

    GaugeColors const& Colors() const { return colors_; }

    // Color (text and border at once), TextColor, BorderColor, BackgroundColorLow,
    // BackgroundColorHigh, BackgroundColorCenter, LightColor, BlurColor: read
    // first by the gauge objects, reported under their captions.
    static config::KeyTable<GaugeObject> const& ColorKeys();

protected:
    // A gauge's chain of keys: the colour keys, then its own, then Interval
    // and the keys every object knows.
    template<typename Gauge>
    static config::KeyTable<Gauge> GaugeKeys(std::u16string_view caption, std::span<config::Key<Gauge> const> keys)
    {
        return { .caption = caption, .first = ColorKeys(), .keys = keys, .base = RefreshedKeys() };
    }

    GaugeColors colors_;
    BlurFilter blur_;

private:
    template<platform::ColorRef GaugeColors::*... Fields>
    static bool SetColors(GaugeObject& gauge, std::u16string_view value);
};

}
