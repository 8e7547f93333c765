#include "platform/headless/VirtualClock.h"

#include <algorithm>

namespace platform {

void VirtualClock::Schedule(uint64_t at, std::function<void()> action)
{
    auto later = std::upper_bound(script_.begin(), script_.end(), at, [](uint64_t t, Scheduled const& s) { return t < s.at; });
    script_.insert(later, { at, std::move(action) });
}

bool VirtualClock::Advance(std::optional<uint32_t> deadline)
{
    std::optional<uint64_t> target;
    if (deadline) {
        auto ahead = int32_t(*deadline - TickCount());
        target = now_ + uint64_t(std::max(ahead, 0));
    }
    if (!script_.empty() && (!target || script_.front().at < *target))
        target = std::max(script_.front().at, now_);
    if (!target || *target > until_) {
        if (target)
            now_ = until_;
        return false;
    }
    now_ = *target;
    while (!script_.empty() && script_.front().at <= now_) {
        auto action = std::move(script_.front().action);
        script_.pop_front();
        action();
    }
    return true;
}

}
