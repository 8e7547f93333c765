#pragma once

// The value syntaxes of key lines: where the value starts, integers, colours
// and booleans. None of them reports an error; odd input gives a fixed result.

#include "config/Dialect.h"
#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace config {

// Minimum value lengths the readers ask for.
constexpr size_t kMinimumValue = 1;
constexpr size_t kMinimumColorValue = 6;

// The value after the first '=' of the line, leading blanks skipped, up to
// the end of the line, when at least `minimum` units remain; otherwise none.
std::optional<std::u16string_view> ValueOf(std::u16string_view line, size_t minimum);

// The parsers read a string up to its first NUL unit, a view also up to its end.

// Optional '-', then decimal digits; no '+', no blanks, 0 without digits.
int32_t ParseInt(std::u16string_view string);

// '1'-'9' and upper-case 'A'-'F'; every other unit counts 0.
uint32_t HexDigitValue(char16_t unit);

// RRGGBB in upper-case hex; units after the sixth are ignored.
platform::ColorRef ParseColor(std::u16string_view string);

// ParseColor for a colour key's value, which also warns of a value that is
// not six upper-case hex digits: it reads as something else than meant.
platform::ColorRef ReadColor(std::u16string_view value);

// Only the first unit counts.
bool ParseBool(Dialect const& dialect, std::u16string_view string);

}
