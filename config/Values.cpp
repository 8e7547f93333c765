#include "config/Values.h"

#include "config/Strings.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace config {

std::optional<std::u16string_view> ValueOf(std::u16string_view line, size_t minimum)
{
    char16_t const* equals = FindChar(line.data(), u'=', line.size());
    if (!equals)
        return std::nullopt;
    size_t const afterEquals = size_t(equals - line.data()) + 1;
    size_t const remaining = line.size() - afterEquals;
    if (remaining < minimum)
        return std::nullopt;
    size_t const blanks = size_t(SkipBlanks(line.data() + afterEquals, remaining) - (line.data() + afterEquals));
    if (remaining - blanks < minimum)
        return std::nullopt;
    return line.substr(afterEquals + blanks);
}

int32_t ParseInt(std::u16string_view string)
{
    // Beyond this no further digit is taken; 241591910 * 10 + 9 still fits 32 bits.
    constexpr uint32_t kCutOff = 241591910;
    size_t i = 0;
    bool const negative = !string.empty() && string[0] == u'-';
    if (negative)
        ++i;
    uint32_t value = 0;
    for (; i < string.size() && string[i] >= u'0' && string[i] <= u'9'; ++i) {
        if (value > kCutOff)
            break;
        value = value * 10 + uint32_t(string[i] - u'0');
    }
    if (negative)
        value = 0u - value;
    return int32_t(value);
}

uint32_t HexDigitValue(char16_t unit)
{
    if (unit >= u'1' && unit <= u'9')
        return uint32_t(unit - u'0');
    if (unit >= u'A' && unit <= u'F')
        return uint32_t(unit - u'A' + 10);
    return 0;
}

platform::ColorRef ParseColor(std::u16string_view string)
{
    // A string ending early reads as if padded with zero digits, never past its NUL.
    uint32_t digits[6] = {};
    for (size_t i = 0; i < 6 && i < string.size() && string[i] != u'\0'; ++i)
        digits[i] = HexDigitValue(string[i]);
    return platform::Rgb(uint8_t(digits[0] * 16 + digits[1]), uint8_t(digits[2] * 16 + digits[3]), uint8_t(digits[4] * 16 + digits[5]));
}

static bool IsSixUpperHexDigits(std::u16string_view value)
{
    while (!value.empty() && (value.back() == u' ' || value.back() == u'\t'))
        value.remove_suffix(1);
    return value.size() == 6 && std::all_of(value.begin(), value.end(), [](char16_t unit) {
        return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'F');
    });
}

platform::ColorRef ReadColor(std::u16string_view value)
{
    platform::ColorRef const color = ParseColor(value);
    if (!IsSixUpperHexDigits(value)) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02X%02X%02X", unsigned(color & 0xFF), unsigned((color >> 8) & 0xFF), unsigned((color >> 16) & 0xFF));
        platform::Warn(u"the colour \"" + std::u16string(value) + u"\" is not six hexadecimal digits RRGGBB in upper case, "
            u"and is read as " + std::u16string(hex, hex + 6));
    }
    return color;
}

bool ParseBool(Dialect const& dialect, std::u16string_view string)
{
    return !string.empty() && string[0] != u'\0' && dialect.trueUnits.find(string[0]) != std::u16string_view::npos;
}

}
