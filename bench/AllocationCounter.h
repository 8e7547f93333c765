#pragma once

// Counts the heap allocations of the program it is linked into: it replaces
// every form of the global operator new and delete. What C libraries take
// with malloc directly is not counted.

#include <cstdint>

namespace bench {

// Calls of any operator new so far.
uint64_t AllocationCount();

}
