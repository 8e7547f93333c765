#pragma once

// System state every program reads: the tick count.

#include <cstdint>

namespace platform {

// Milliseconds since system start; wraps after about 49.7 days.
uint32_t GetTickCount();

}
