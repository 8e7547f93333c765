#include "platform/CodePage.h"

namespace platform {

// 0x80-0x9F differ from Latin-1; the five unassigned bytes map to the control
// characters of the same value, as the platform's conversion does.
static constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t AnsiToWide(unsigned char c)
{
    if (c >= 0x80 && c < 0xA0)
        return kHighControls[c - 0x80];
    return char16_t(c);
}

std::u16string AnsiToWide(std::string_view text)
{
    std::u16string wide;
    wide.reserve(text.size());
    for (char c : text)
        wide.push_back(AnsiToWide(static_cast<unsigned char>(c)));
    return wide;
}

}
