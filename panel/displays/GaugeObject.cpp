#include "panel/displays/GaugeObject.h"

#include "config/Values.h"

namespace panel {

template<platform::ColorRef GaugeColors::*... Fields>
bool GaugeObject::SetColors(GaugeObject& gauge, std::u16string_view value)
{
    platform::ColorRef const color = config::ReadColor(value);
    ((gauge.colors_.*Fields = color), ...);
    return true;
}

config::KeyTable<GaugeObject> const& GaugeObject::ColorKeys()
{
    using config::kMinimumColorValue;
    static constexpr config::Key<GaugeObject> kKeys[] = {
        { u"Color", SetColors<&GaugeColors::textColor, &GaugeColors::borderColor>, kMinimumColorValue },
        { u"TextColor", SetColors<&GaugeColors::textColor>, kMinimumColorValue },
        { u"BorderColor", SetColors<&GaugeColors::borderColor>, kMinimumColorValue },
        { u"BackgroundColorLow", SetColors<&GaugeColors::backgroundColorLow>, kMinimumColorValue },
        { u"BackgroundColorHigh", SetColors<&GaugeColors::backgroundColorHigh>, kMinimumColorValue },
        { u"BackgroundColorCenter", SetColors<&GaugeColors::backgroundColorCenter>, kMinimumColorValue },
        { u"LightColor", SetColors<&GaugeColors::lightColor>, kMinimumColorValue },
        { u"BlurColor", SetColors<&GaugeColors::blurColor>, kMinimumColorValue },
    };
    static constexpr config::KeyTable<GaugeObject> kTable { .caption = {}, .keys = kKeys };
    return kTable;
}

}
