#pragma once

// Message boxes on the simulated device: nobody sees them; each is recorded
// with the answer the script queued for it (else the one closing it gives)
// and stays open for the script's box time, while timers and posted messages
// go on.

#include "platform/headless/TraceWriter.h"
#include "platform/headless/VirtualClock.h"
#include "platform/roles/Dialogs.h"
#include "platform/window/WindowSystem.h"

#include <deque>

namespace platform {

class SimulatedDialogs final : public Dialogs {
public:
    SimulatedDialogs(WindowSystem& windows, VirtualClock const& clock, TraceWriter& trace)
        : windows_(windows), clock_(clock), trace_(trace) { }

    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override;

    void QueueAnswer(BoxAnswer answer) { answers_.push_back(answer); }
    void SetBoxTime(uint32_t milliseconds) { boxTime_ = milliseconds; }

private:
    WindowSystem& windows_;
    VirtualClock const& clock_;
    TraceWriter& trace_;
    std::deque<BoxAnswer> answers_;
    uint32_t boxTime_ = 0;
};

}
