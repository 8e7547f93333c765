#include "platform/TextCase.h"

namespace platform {

static char16_t LowerCase(char16_t unit)
{
    bool asciiUpper = unit >= u'A' && unit <= u'Z';
    // U+00C0-U+00DE, except the multiplication sign U+00D7.
    bool latinUpper = unit >= 0xC0 && unit <= 0xDE && unit != 0xD7;
    return asciiUpper || latinUpper ? char16_t(unit + 0x20) : unit;
}

std::u16string LowerCase(std::u16string_view text)
{
    std::u16string lower(text);
    for (char16_t& unit : lower)
        unit = LowerCase(unit);
    return lower;
}

}
