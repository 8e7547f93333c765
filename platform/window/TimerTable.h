#pragma once

// Window timers by identifier. Times are tick counts; differences are taken
// modulo 2^32, so timers keep working across the wrap of the counter.

#include "platform/Types.h"

#include <optional>
#include <vector>

namespace platform {

class TimerTable {
public:
    // Starts or restarts the timer (window, id).
    void Set(WindowHandle window, uintptr_t id, uint32_t period, uint32_t now);
    bool Kill(WindowHandle window, uintptr_t id);
    void KillAll(WindowHandle window);

    struct Due {
        WindowHandle window;
        uintptr_t id = 0;
    };
    // The timer that has waited longest past its due time; it starts its next period.
    std::optional<Due> TakeDue(uint32_t now);
    // Tick at which the next timer comes due; none without timers.
    std::optional<uint32_t> NextDue(uint32_t now) const;
    bool Empty() const { return timers_.empty(); }

    // The platform clamps periods to this range.
    static constexpr uint32_t kMinimumPeriod = 10;
    static constexpr uint32_t kMaximumPeriod = 0x7FFFFFFF;

private:
    struct Timer {
        WindowHandle window;
        uintptr_t id = 0;
        uint32_t period = 0;
        uint32_t due = 0;
    };
    std::vector<Timer> timers_;
};

}
