#pragma once

// Dates and times in a Windows locale: the system's own GetDateFormatW and
// GetTimeFormatW with our picture strings, which are the system's too, and
// the device's table of the locale nearest to the user's.

#include "platform/SystemStatus.h"
#include "platform/locale/LocaleData.h"
#include "platform/locale/PictureFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform::win32 {

// `picture` none: the locale's own. None when the system refuses the picture or the locale.
std::optional<std::u16string> FormatInLocale(
    uint32_t locale, PictureKind kind, SystemTime const& time, std::optional<std::u16string_view> picture);

// The user's locale as a table of the device's: the one of the same
// language, English otherwise.
LocaleData const& UserLocaleTable();

}
