#include "platform/locale/CivilTime.h"

namespace platform {

// Days since 1970-01-01 of a proleptic Gregorian date, and back; the usual
// era-based formulas for whole 400-year cycles.
static int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day)
{
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

static void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day)
{
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    year = yearOfEra + era * 400 + (month <= 2);
}

SystemTime AddMilliseconds(SystemTime const& start, uint64_t milliseconds)
{
    int64_t startMs = ((DaysFromCivil(start.year, start.month, start.day) * 24 + start.hour) * 60 + start.minute) * 60000
        + int64_t(start.second) * 1000 + start.milliseconds;
    int64_t total = startMs + int64_t(milliseconds);
    int64_t days = total >= 0 ? total / 86400000 : (total - 86399999) / 86400000;
    int64_t inDay = total - days * 86400000;
    int64_t year = 0, month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    SystemTime time;
    time.year = uint16_t(year);
    time.month = uint16_t(month);
    time.day = uint16_t(day);
    time.dayOfWeek = uint16_t(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
    time.hour = uint16_t(inDay / 3600000);
    time.minute = uint16_t(inDay / 60000 % 60);
    time.second = uint16_t(inDay / 1000 % 60);
    time.milliseconds = uint16_t(inDay % 1000);
    return time;
}

}
