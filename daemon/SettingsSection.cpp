#include "daemon/SettingsSection.h"

#include "config/Values.h"

namespace brellum {

config::KeyTable<SettingsSection> const& SettingsKeys()
{
    static constexpr config::Key<SettingsSection> kKeys[] = {
        { u"CheckIntervall", [](SettingsSection& settings, std::u16string_view value) {
             settings.checkInterval = uint32_t(config::ParseInt(value));
             return true;
         } },
        { u"ElapseTimeLong", [](SettingsSection& settings, std::u16string_view value) {
             settings.elapseTimeLong = uint32_t(config::ParseInt(value));
             return true;
         } },
        { u"ElapseTime", [](SettingsSection& settings, std::u16string_view value) {
             settings.elapseTime = uint32_t(config::ParseInt(value));
             return true;
         } },
        { u"QueryTermination", [](SettingsSection& settings, std::u16string_view value) {
             settings.queryTermination = config::ParseBool(config::kDaemonDialect, value);
             return true;
         } },
    };
    static constexpr config::KeyTable<SettingsSection> kTable { .caption = u"Settings", .keys = kKeys };
    return kTable;
}

}
