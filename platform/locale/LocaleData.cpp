#include "platform/locale/LocaleData.h"

namespace platform {

static constexpr LocaleData kGerman {
    u"de-DE",
    0x407,
    { u"Sonntag", u"Montag", u"Dienstag", u"Mittwoch", u"Donnerstag", u"Freitag", u"Samstag" },
    { u"So", u"Mo", u"Di", u"Mi", u"Do", u"Fr", u"Sa" },
    { u"Januar", u"Februar", u"März", u"April", u"Mai", u"Juni", u"Juli", u"August", u"September", u"Oktober",
        u"November", u"Dezember" },
    { u"Jan", u"Feb", u"Mär", u"Apr", u"Mai", u"Jun", u"Jul", u"Aug", u"Sep", u"Okt", u"Nov", u"Dez" },
    u"vorm.",
    u"nachm.",
    u"n. Chr.",
    u"HH:mm:ss",
    u"dd.MM.yyyy",
};

static constexpr LocaleData kAmerican {
    u"en-US",
    0x409,
    { u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday" },
    { u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat" },
    { u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September", u"October",
        u"November", u"December" },
    { u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun", u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec" },
    u"AM",
    u"PM",
    u"A.D.",
    u"h:mm:ss tt",
    u"M/d/yyyy",
};

LocaleData const* LocaleNamed(std::string_view name)
{
    if (name == "de-DE")
        return &kGerman;
    if (name == "en-US")
        return &kAmerican;
    return nullptr;
}

LocaleData const* LocaleWithIdentifier(uint32_t identifier)
{
    for (LocaleData const* locale : { &kGerman, &kAmerican }) {
        if (locale->identifier == identifier)
            return locale;
    }
    return nullptr;
}

}
