#pragma once

// The state of the real Windows machine as the device's queries report it:
// the parts of the system services that only ask the system.

#include "platform/SystemStatus.h"

#include <cstdint>
#include <string>

namespace platform::win32 {

uint32_t WindowsTickCount();
SystemTime WindowsLocalTime();
MemoryStatus WindowsMemory();
// `folder` is a Windows path; false for a missing folder or a file.
bool WindowsDiskFreeSpace(std::u16string const& folder, uint64_t& available, uint64_t& total);
// The device's extended power status from the system's: the record that the
// device's core library ("coredll.dll") would fill.
bool WindowsPowerStatus(SystemPowerStatusEx2& status);

}
