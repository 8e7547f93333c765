#pragma once

// The simulated device's time: virtual milliseconds since the start of the
// run, which jump from one due event to the next, and the script's actions
// waiting for their time.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>

namespace platform {

class VirtualClock {
public:
    // The tick clock reads `firstTick` at the start; the run ends at `until`.
    VirtualClock(uint32_t firstTick, uint64_t until) : firstTick_(firstTick), until_(until) { }

    uint64_t Now() const { return now_; }
    uint32_t TickCount() const { return firstTick_ + uint32_t(now_); }

    // Actions at their virtual times, in order; those of one time in the order given.
    void Schedule(uint64_t at, std::function<void()> action);
    // Moves on to the tick `deadline` or the next action, whichever comes
    // first, and runs the actions then due. False when nothing comes before
    // the end of the run: the clock then stands at the end if something was
    // due after it.
    bool Advance(std::optional<uint32_t> deadline);

private:
    struct Scheduled {
        uint64_t at;
        std::function<void()> action;
    };

    uint32_t firstTick_;
    uint64_t until_;
    uint64_t now_ = 0;
    std::deque<Scheduled> script_;
};

}
