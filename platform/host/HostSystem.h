#pragma once

// The state of the real Linux machine as the device's queries report it.

#include "platform/SystemStatus.h"
#include "platform/locale/LocaleData.h"

#include <string>

namespace platform {

MemoryStatus HostMemory();
bool HostDiskFreeSpace(std::string const& folder, uint64_t& available, uint64_t& total);
// From the kernel's power-supply classes in `folder`; a machine without a
// battery reports external power and no battery.
bool HostPowerStatus(SystemPowerStatusEx2& status, std::string const& folder = "/sys/class/power_supply");
SystemTime HostLocalTime();
// German when the environment's time locale is German, else American English.
LocaleData const& HostLocale();

}
