#include "platform/window/TimerTable.h"

#include <algorithm>

namespace platform {

// How long past `due` the tick `now` is; negative while still waiting.
static int64_t Overdue(uint32_t due, uint32_t now)
{
    return int64_t(int32_t(now - due));
}

void TimerTable::Set(WindowHandle window, uintptr_t id, uint32_t period, uint32_t now)
{
    period = std::clamp(period, kMinimumPeriod, kMaximumPeriod);
    for (auto& timer : timers_) {
        if (timer.window == window && timer.id == id) {
            timer.period = period;
            timer.due = now + period;
            return;
        }
    }
    timers_.push_back({ window, id, period, now + period });
}

bool TimerTable::Kill(WindowHandle window, uintptr_t id)
{
    return std::erase_if(timers_, [&](Timer const& t) { return t.window == window && t.id == id; }) > 0;
}

void TimerTable::KillAll(WindowHandle window)
{
    std::erase_if(timers_, [&](Timer const& t) { return t.window == window; });
}

std::optional<TimerTable::Due> TimerTable::TakeDue(uint32_t now)
{
    Timer* best = nullptr;
    for (auto& timer : timers_) {
        if (Overdue(timer.due, now) >= 0 && (!best || Overdue(timer.due, now) > Overdue(best->due, now)))
            best = &timer;
    }
    if (!best)
        return std::nullopt;
    // Keep the phase; a timer that fell more than a period behind does not pile up.
    best->due += best->period;
    if (Overdue(best->due, now) >= 0)
        best->due = now + best->period;
    return Due { best->window, best->id };
}

std::optional<uint32_t> TimerTable::NextDue(uint32_t now) const
{
    std::optional<uint32_t> next;
    for (auto const& timer : timers_) {
        if (!next || Overdue(timer.due, now) > Overdue(*next, now))
            next = timer.due;
    }
    return next;
}

}
