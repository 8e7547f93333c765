#include "config/Values.h"

#include "config/Strings.h"

namespace config {

char16_t const* ValueOf(char16_t const* line, size_t length, size_t minimum)
{
    char16_t const* equals = FindChar(line, u'=', length);
    if (!equals)
        return nullptr;
    char16_t const* afterEquals = equals + 1;
    size_t remaining = length - size_t(afterEquals - line);
    if (remaining < minimum)
        return nullptr;
    char16_t const* value = SkipBlanks(afterEquals, remaining);
    if (remaining - size_t(value - afterEquals) < minimum)
        return nullptr;
    return value;
}

int32_t ParseInt(char16_t const* string)
{
    // Beyond this no further digit is taken; 241591910 * 10 + 9 still fits 32 bits.
    constexpr uint32_t kCutOff = 241591910;
    bool negative = false;
    if (*string == u'-') {
        negative = true;
        ++string;
    }
    uint32_t value = 0;
    for (; *string >= u'0' && *string <= u'9'; ++string) {
        if (value > kCutOff)
            break;
        value = value * 10 + uint32_t(*string - u'0');
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

platform::ColorRef ParseColor(char16_t const* string)
{
    // A string ending early reads as if padded with zero digits, never past its NUL.
    uint32_t digits[6] = {};
    for (size_t i = 0; i < 6 && string[i] != u'\0'; ++i)
        digits[i] = HexDigitValue(string[i]);
    return platform::Rgb(uint8_t(digits[0] * 16 + digits[1]), uint8_t(digits[2] * 16 + digits[3]), uint8_t(digits[4] * 16 + digits[5]));
}

bool ParseBool(Dialect const& dialect, char16_t const* string)
{
    return *string != u'\0' && dialect.trueUnits.find(*string) != std::u16string_view::npos;
}

}
