#pragma once

// What the simulated device writes into its trace, stamped with the virtual
// time: the run's first and last lines, and every window, hot-key, tray, key
// and message-box event. The shell writes its own process lines.

#include "platform/SourcePlace.h"
#include "platform/Tray.h"
#include "platform/headless/Trace.h"
#include "platform/headless/VirtualClock.h"
#include "platform/window/WindowSystem.h"

#include <string_view>

namespace platform {

// Message-box buttons as the trace names them.
enum class BoxAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

class TraceWriter final : private WindowEvents {
public:
    // Hears of every change to the window table while it lives.
    TraceWriter(Trace& trace, VirtualClock const& clock, WindowSystem& windows);
    ~TraceWriter() override;
    TraceWriter(TraceWriter const&) = delete;
    TraceWriter& operator=(TraceWriter const&) = delete;

    // After the run's last line (the exit, or the end of time) nothing more is recorded.
    void Start(std::string_view program, std::u16string_view commandLine);
    void Exit(int32_t exitCode);
    void End();
    bool Closed() const { return trace_.Closed(); }

    // A box about a line of a file names the file and the line.
    void MessageBox(std::u16string_view caption, std::u16string_view text, uint32_t flags, bool owned, BoxAnswer answer,
        SourcePlace const* place = nullptr);
    // A null `icon` is written as none.
    void Tray(std::string_view action, IconHandle icon, bool ok);
    void SynthesizedKey(uint8_t virtualKey, uint32_t flags);

private:
    // WindowEvents.
    void Created(Window const&) override;
    void Moved(Window const&) override;
    void Shown(Window const&) override;
    void Hidden(Window const&) override;
    void BecameTopMost(Window const&) override;
    void TitleChanged(Window const&) override;
    void Destroyed(Window const&) override;
    void HotKeyChanged(bool registered, int32_t id, uint32_t virtualKey, bool ok) override;

    Trace::Event Add(std::string_view name) { return trace_.Add(clock_.Now(), name); }
    void WindowAction(Window const& window, std::string_view action);

    Trace& trace_;
    VirtualClock const& clock_;
    WindowSystem& windows_;
};

}
