#pragma once

// The boxes that tell the user what in a configuration file was not used.
// Every box has no owner and an OK button; reading goes on after it.

#include "config/Dialect.h"

#include <string_view>

namespace config {

inline constexpr std::u16string_view kFileNotFoundCaption = u"Datei nicht gefunden:";

// Warnings about one line; the text is the whole line.
void ReportUnknownValue(Dialect const& dialect, std::u16string_view className, std::u16string_view line);
void ReportBadValue(Dialect const& dialect, std::u16string_view className, std::u16string_view line);
void ReportUnknownType(Dialect const& dialect, std::u16string_view line);

// Errors about a whole file.
void ReportFileNotFound(Dialect const& dialect, std::u16string_view caption, std::u16string_view path);
void ReportNotUnicode(Dialect const& dialect, std::u16string_view path);
void ReportError(Dialect const& dialect, std::u16string_view text);

}
