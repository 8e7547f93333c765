#include "platform/headless/DeviceState.h"

namespace platform {

bool PowerState::Set(std::string_view field, int64_t value)
{
    struct Named {
        std::string_view name;
        int64_t PowerState::*member;
    };
    static constexpr Named kFields[] = {
        { "ACLineStatus", &PowerState::ACLineStatus },
        { "BatteryFlag", &PowerState::BatteryFlag },
        { "BatteryLifePercent", &PowerState::BatteryLifePercent },
        { "BatteryLifeTime", &PowerState::BatteryLifeTime },
        { "BatteryFullLifeTime", &PowerState::BatteryFullLifeTime },
        { "BackupBatteryFlag", &PowerState::BackupBatteryFlag },
        { "BackupBatteryLifePercent", &PowerState::BackupBatteryLifePercent },
        { "BackupBatteryLifeTime", &PowerState::BackupBatteryLifeTime },
        { "BackupBatteryFullLifeTime", &PowerState::BackupBatteryFullLifeTime },
        { "BatteryVoltage", &PowerState::BatteryVoltage },
        { "BatteryCurrent", &PowerState::BatteryCurrent },
        { "BatteryTemperature", &PowerState::BatteryTemperature },
        { "BackupBatteryVoltage", &PowerState::BackupBatteryVoltage },
    };
    for (auto const& named : kFields) {
        if (named.name == field) {
            this->*named.member = value;
            return true;
        }
    }
    return false;
}

}
