#pragma once

// What a locale says about dates and times: names of days and months, the
// designators of the two halves of the day, and the default pictures.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

struct LocaleData {
    std::u16string_view name; // "de-DE"
    uint32_t identifier = 0;
    std::array<std::u16string_view, 7> dayNames; // from Sunday
    std::array<std::u16string_view, 7> abbreviatedDayNames;
    std::array<std::u16string_view, 12> monthNames;
    std::array<std::u16string_view, 12> abbreviatedMonthNames;
    std::u16string_view morning;
    std::u16string_view afternoon;
    std::u16string_view era;
    std::u16string_view timeFormat;
    std::u16string_view shortDateFormat;
};

// The locales the device knows, by name ("de-DE", "en-US").
LocaleData const* LocaleNamed(std::string_view name);
LocaleData const* LocaleWithIdentifier(uint32_t identifier);

}
