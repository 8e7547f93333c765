#include "panel/displays/GaugeObject.h"

#include "config/Reports.h"
#include "config/Strings.h"
#include "config/Values.h"

namespace panel {

using platform::ColorRef;

std::optional<bool> GaugeObject::ReadColor(char16_t const* line, size_t length, bool report, std::u16string_view className)
{
    struct Named {
        std::u16string_view name;
        ColorRef* first;
        ColorRef* second;
    };
    Named const keys[] = {
        { u"Color", &colors_.textColor, &colors_.borderColor },
        { u"TextColor", &colors_.textColor, nullptr },
        { u"BorderColor", &colors_.borderColor, nullptr },
        { u"BackgroundColorLow", &colors_.backgroundColorLow, nullptr },
        { u"BackgroundColorHigh", &colors_.backgroundColorHigh, nullptr },
        { u"BackgroundColorCenter", &colors_.backgroundColorCenter, nullptr },
        { u"LightColor", &colors_.lightColor, nullptr },
        { u"BlurColor", &colors_.blurColor, nullptr },
    };
    for (auto const& named : keys) {
        if (config::CompareN(line, named.name.data(), named.name.size()) != 0)
            continue;
        char16_t const* value = config::ValueOf(line, length, config::kMinimumColorValue);
        if (!value) {
            if (report)
                config::ReportBadValue(config::kPanelDialect, className, { line, length });
            return false;
        }
        ColorRef const color = config::ParseColor(value);
        *named.first = color;
        if (named.second)
            *named.second = color;
        return true;
    }
    return std::nullopt;
}

}
