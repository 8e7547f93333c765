#include "platform/win32/WindowsLocale.h"

#include "platform/win32/WindowsApi.h"

#include <vector>

namespace platform::win32 {

std::optional<std::u16string> FormatInLocale(
    uint32_t locale, PictureKind kind, SystemTime const& time, std::optional<std::u16string_view> picture)
{
    SYSTEMTIME when {};
    when.wYear = time.year;
    when.wMonth = time.month;
    when.wDayOfWeek = time.dayOfWeek;
    when.wDay = time.day;
    when.wHour = time.hour;
    when.wMinute = time.minute;
    when.wSecond = time.second;
    when.wMilliseconds = time.milliseconds;
    std::wstring format = picture ? Wide(*picture) : std::wstring();
    wchar_t const* pictureText = picture ? format.c_str() : nullptr;
    auto call = [&](wchar_t* buffer, int capacity) {
        return kind == PictureKind::Time ? GetTimeFormatW(LCID(locale), 0, &when, pictureText, buffer, capacity)
                                         : GetDateFormatW(LCID(locale), 0, &when, pictureText, buffer, capacity);
    };
    int needed = call(nullptr, 0);
    if (needed <= 0)
        return std::nullopt;
    std::vector<wchar_t> text(size_t(needed), L'\0');
    int written = call(text.data(), needed);
    if (written <= 0)
        return std::nullopt;
    return FromWide(std::wstring_view(text.data(), size_t(written - 1)));
}

LocaleData const& UserLocaleTable()
{
    LCID const user = GetUserDefaultLCID();
    if (LocaleData const* same = LocaleWithIdentifier(user))
        return *same;
    // Another country of the same language.
    for (uint32_t country = 1; country < 0x40; ++country) {
        if (LocaleData const* language = LocaleWithIdentifier((country << 10) | (user & 0x3FF)))
            return *language;
    }
    return *LocaleNamed("en-US");
}

}
