#pragma once

// Calendar arithmetic for the simulated clock: a local date and time moved
// on by milliseconds, with its day of the week.

#include "platform/SystemStatus.h"

#include <cstdint>

namespace platform {

SystemTime AddMilliseconds(SystemTime const& start, uint64_t milliseconds);

}
