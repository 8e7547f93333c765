#include "platform/locale/PictureFormat.h"

#include <algorithm>

namespace platform {

static void AppendNumber(std::u16string& out, uint32_t value, size_t digits)
{
    std::u16string number;
    do {
        number.insert(number.begin(), char16_t(u'0' + value % 10));
        value /= 10;
    } while (value > 0);
    if (number.size() < digits)
        number.insert(0, digits - number.size(), u'0');
    out += number;
}

static bool AppendTimeField(std::u16string& out, char16_t letter, size_t count, SystemTime const& time, LocaleData const& locale)
{
    uint32_t twelve = time.hour % 12 == 0 ? 12 : time.hour % 12;
    std::u16string_view half = time.hour < 12 ? locale.morning : locale.afternoon;
    switch (letter) {
    case u'h': AppendNumber(out, twelve, std::min<size_t>(count, 2)); return true;
    case u'H': AppendNumber(out, time.hour, std::min<size_t>(count, 2)); return true;
    case u'm': AppendNumber(out, time.minute, std::min<size_t>(count, 2)); return true;
    case u's': AppendNumber(out, time.second, std::min<size_t>(count, 2)); return true;
    case u't': out += count == 1 ? half.substr(0, 1) : half; return true;
    default: return false;
    }
}

static bool AppendDateField(std::u16string& out, char16_t letter, size_t count, SystemTime const& time, LocaleData const& locale)
{
    size_t weekday = time.dayOfWeek % 7;
    size_t month = std::clamp<size_t>(time.month, 1, 12) - 1;
    switch (letter) {
    case u'd':
        if (count <= 2)
            AppendNumber(out, time.day, count);
        else
            out += count == 3 ? locale.abbreviatedDayNames[weekday] : locale.dayNames[weekday];
        return true;
    case u'M':
        if (count <= 2)
            AppendNumber(out, time.month, count);
        else
            out += count == 3 ? locale.abbreviatedMonthNames[month] : locale.monthNames[month];
        return true;
    case u'y':
        if (count <= 2)
            AppendNumber(out, time.year % 100, count);
        else
            AppendNumber(out, time.year, 4);
        return true;
    case u'g':
        out += locale.era;
        return true;
    default:
        return false;
    }
}

std::u16string FormatPicture(PictureKind kind, std::u16string_view picture, SystemTime const& time, LocaleData const& locale)
{
    std::u16string out;
    size_t i = 0;
    while (i < picture.size()) {
        char16_t c = picture[i];
        if (c == u'\'') {
            // Quoted text: '' inside or outside quotes is one quote.
            ++i;
            while (i < picture.size()) {
                if (picture[i] == u'\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                        out += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        size_t count = 1;
        while (i + count < picture.size() && picture[i + count] == c)
            ++count;
        bool field = kind == PictureKind::Time ? AppendTimeField(out, c, count, time, locale)
                                               : AppendDateField(out, c, count, time, locale);
        if (!field)
            out.append(count, c);
        i += count;
    }
    return out;
}

}
