#include "platform/SystemStatus.h"

#include "platform/Backend.h"
#include "platform/locale/LocaleData.h"
#include "platform/locale/PictureFormat.h"

#include <algorithm>

namespace platform {

void GlobalMemoryStatus(MemoryStatus& status)
{
    uint32_t length = status.length;
    status = CurrentBackend().Services().QueryMemory();
    status.length = length;
}

bool GetDiskFreeSpace(char16_t const* folder, uint64_t* availableToCaller, uint64_t* total, uint64_t* totalFree)
{
    uint64_t available = 0, size = 0;
    if (!CurrentBackend().Services().QueryDiskFreeSpace(folder ? folder : u"", available, size))
        return false;
    if (availableToCaller)
        *availableToCaller = available;
    if (total)
        *total = size;
    if (totalFree)
        *totalFree = available;
    return true;
}

static uint32_t PowerStatusThroughBackend(SystemPowerStatusEx2* status, uint32_t length, int32_t)
{
    if (!status || length < sizeof(SystemPowerStatusEx2))
        return 0;
    SystemPowerStatusEx2 answer;
    if (!CurrentBackend().Services().QueryPowerStatus(answer))
        return 0;
    *status = answer;
    return sizeof(SystemPowerStatusEx2);
}

LibraryHandle LoadLibrary(char16_t const* name)
{
    Backend& backend = CurrentBackend();
    if (!name || !*name || !backend.Services().HasLibraryExport(name, {}))
        return {};
    backend.Libraries().emplace_back(name);
    return LibraryHandle { uint32_t(backend.Libraries().size()) };
}

void* GetProcAddress(LibraryHandle library, char const* name)
{
    auto& libraries = CurrentBackend().Libraries();
    if (!library || library.value > libraries.size() || libraries[library.value - 1].empty() || !name)
        return nullptr;
    std::string_view wanted(name);
    // The only export the programs look for.
    if (wanted != "GetSystemPowerStatusEx2" || !CurrentBackend().Services().HasLibraryExport(libraries[library.value - 1], wanted))
        return nullptr;
    PowerStatusCall call = PowerStatusThroughBackend;
    return reinterpret_cast<void*>(call);
}

bool FreeLibrary(LibraryHandle library)
{
    auto& libraries = CurrentBackend().Libraries();
    if (!library || library.value > libraries.size() || libraries[library.value - 1].empty())
        return false;
    libraries[library.value - 1].clear();
    return true;
}

void GetLocalTime(SystemTime& time)
{
    time = CurrentBackend().Services().LocalTime();
}

static int32_t Format(PictureKind kind, uint32_t localeId, SystemTime const* time, char16_t const* picture, char16_t* buffer,
    int32_t capacity)
{
    SystemServices& services = CurrentBackend().Services();
    bool const forUser = localeId == kUserDefaultLocale || localeId == 0x800;
    LocaleData const* locale = forUser ? &services.UserLocale() : LocaleWithIdentifier(localeId);
    if (!locale || capacity < 0 || (capacity > 0 && !buffer))
        return 0;
    SystemTime when = time ? *time : services.LocalTime();
    std::optional<std::u16string> byTheSystem
        = forUser ? services.FormatForUser(kind, when, picture ? std::optional<std::u16string_view>(picture) : std::nullopt) : std::nullopt;
    std::u16string_view defaultPicture = kind == PictureKind::Time ? locale->timeFormat : locale->shortDateFormat;
    std::u16string text = byTheSystem
        ? *byTheSystem
        : FormatPicture(kind, picture ? std::u16string_view(picture) : defaultPicture, when, *locale);
    auto needed = int32_t(std::min<size_t>(text.size() + 1, INT32_MAX));
    if (capacity == 0)
        return needed;
    if (needed > capacity)
        return 0;
    std::copy(text.begin(), text.end(), buffer);
    buffer[text.size()] = u'\0';
    return needed;
}

int32_t GetTimeFormat(uint32_t locale, uint32_t, SystemTime const* time, char16_t const* picture, char16_t* buffer, int32_t capacity)
{
    return Format(PictureKind::Time, locale, time, picture, buffer, capacity);
}

int32_t GetDateFormat(uint32_t locale, uint32_t, SystemTime const* time, char16_t const* picture, char16_t* buffer, int32_t capacity)
{
    return Format(PictureKind::Date, locale, time, picture, buffer, capacity);
}

}
