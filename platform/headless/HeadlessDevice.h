#pragma once

// The simulated handheld that tests and cesim run the programs on: a
// composition of a virtual clock with the script's actions (VirtualClock),
// simulated system services (SimulatedServices), a virtual screen
// (VirtualScreen), keys and tray (VirtualKeysAndTray) and message boxes
// (SimulatedDialogs), all recording into one trace (TraceWriter). This class
// is the face that cesim and the tests hold.

#include "platform/Backend.h"
#include "platform/headless/DeviceSettings.h"
#include "platform/headless/SimulatedDialogs.h"
#include "platform/headless/SimulatedServices.h"
#include "platform/headless/Trace.h"
#include "platform/headless/TraceWriter.h"
#include "platform/headless/VirtualClock.h"
#include "platform/headless/VirtualKeysAndTray.h"
#include "platform/headless/VirtualScreen.h"
#include "platform/window/WindowSystem.h"

#include <functional>
#include <string>

namespace platform {

class HeadlessDevice final : public Backend {
public:
    explicit HeadlessDevice(DeviceSettings settings);

    SystemServices& Services() override { return services_; }
    platform::Screen& Screen() override { return screen_; }
    KeysAndTray& Keys() override { return keys_; }
    platform::Dialogs& Dialogs() override { return dialogs_; }

    // Virtual milliseconds since the start of the run.
    uint64_t Now() const { return clock_.Now(); }
    Trace& GetTrace() { return trace_; }
    DeviceSettings const& Settings() const { return settings_; }
    DeviceState& State() { return services_.State(); }
    SimulatedShell& Shell() { return services_.Shell(); }

    // The script: actions at their virtual times, in order.
    void Schedule(uint64_t at, std::function<void()> action) { clock_.Schedule(at, std::move(action)); }
    void QueueAnswer(BoxAnswer answer) { dialogs_.QueueAnswer(answer); }
    void SetBoxTime(uint32_t milliseconds) { dialogs_.SetBoxTime(milliseconds); }
    // The left button goes down on the tray icon; without an icon it meets nothing.
    void TrayClick() { keys_.TrayClick(); }
    // Runs the clock on to the tick `deadline` or the next action (see Screen).
    bool WaitForEvents(std::optional<uint32_t> deadline) { return screen_.WaitForEvents(deadline); }

    // The run's first and last lines.
    void TraceStart(std::string_view program, std::u16string_view commandLine) { writer_.Start(program, commandLine); }
    void TraceExit(int32_t exitCode);
    // A picture of the screen, written as the run ends (before the program
    // tears down its windows when it is stopped by the end of the run).
    void ShootAtEnd(std::string path) { screen_.ShootAtEnd(std::move(path)); }
    bool WriteShot(std::string const& path) { return screen_.WriteShot(path); }
    void TakeAtEnd(std::function<void(Surface const&)> take) { screen_.TakeAtEnd(std::move(take)); }
    bool RunEnded() const { return trace_.Closed(); }

private:
    DeviceSettings settings_;
    VirtualClock clock_;
    Trace trace_;
    TraceWriter writer_;
    SimulatedServices services_;
    VirtualScreen screen_;
    VirtualKeysAndTray keys_;
    SimulatedDialogs dialogs_;
};

}
