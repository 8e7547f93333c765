#include "panel/displays/ByteCount.h"

namespace panel {

static constexpr std::u16string_view kUnits[] = { u"Bytes", u"KB", u"MB", u"GB", u"TB", u"?" };
static constexpr uint32_t kLastUnit = 5;

ByteCount FormatByteCount(uint64_t value)
{
    uint32_t unit = 0;
    while (((value >> 32) != 0 || value > 1048576) && unit < kLastUnit) {
        value >>= 10;
        ++unit;
    }
    float number = float(value);
    if (value >= 1024 && unit < kLastUnit) {
        number *= 0.0009765625f;
        ++unit;
    }
    return { number, kUnits[unit] };
}

uint32_t FillFraction(uint64_t part, uint64_t total)
{
    constexpr uint64_t kLimit = uint64_t(1) << 22;
    while (part >= kLimit || total >= kLimit) {
        part >>= 10;
        total >>= 10;
    }
    if (total == 0)
        return 0;
    // Both below 2^22: part * 1024 fits in 32 bits.
    return uint32_t(part * 1024 / total);
}

}
