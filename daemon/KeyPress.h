#pragma once

// The press of one served key: whether it is down and since when, whether it
// has fired, and the processes its binding's two command slots started.

#include "daemon/KeyBinding.h"
#include "platform/Types.h"

#include <cstdint>

namespace brellum {

struct KeyPress {
    KeyPress() = default;
    KeyPress(KeyPress const&) = delete;
    KeyPress& operator=(KeyPress const&) = delete;
    // Closes both process handles; the processes keep running.
    ~KeyPress();

    bool isDown = false;
    bool hasFired = false;
    uint32_t downTick = 0;
    platform::ProcessHandle processShort;
    platform::ProcessHandle processLong;

    platform::ProcessHandle& ProcessOf(Slot slot) { return slot == Slot::Short ? processShort : processLong; }
    // The key is up again; the processes stay known for the next press.
    void Clear();
};

}
