#pragma once

// The simulated device's system services: files under the root folder, the
// shell and its processes, the virtual tick and wall clocks, the locale, and
// the memory, storage and power that the script sets (DeviceState).

#include "platform/headless/DeviceRoot.h"
#include "platform/headless/DeviceSettings.h"
#include "platform/headless/DeviceState.h"
#include "platform/headless/SimulatedShell.h"
#include "platform/headless/Trace.h"
#include "platform/headless/VirtualClock.h"
#include "platform/roles/SystemServices.h"

namespace platform {

class SimulatedServices final : public SystemServices {
public:
    // The shell records its processes in `trace`.
    SimulatedServices(DeviceSettings const& settings, VirtualClock const& clock, Trace& trace);

    DeviceState& State() { return state_; }
    SimulatedShell& Shell() { return shell_; }

    std::unique_ptr<FileStream> OpenForReading(std::u16string_view path) override;
    std::optional<std::u16string> ProgramPath() override;
    bool ShellExecute(ShellExecuteInfo& info) override { return shell_.Execute(info, clock_.Now()); }
    bool CanExecute(std::u16string_view file) override { return root_.FileExists(file); }
    std::u16string UserPath(std::u16string_view path) override;
    bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode) override { return shell_.ExitCode(process, exitCode); }
    bool TerminateProcess(ProcessHandle process, uint32_t exitCode) override { return shell_.Terminate(process, exitCode, clock_.Now()); }
    bool CloseHandle(ProcessHandle process) override { return shell_.Close(process); }
    uint32_t TickCount() override { return clock_.TickCount(); }
    SystemTime LocalTime() override;
    LocaleData const& UserLocale() override;
    MemoryStatus QueryMemory() override;
    bool QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total) override;
    bool QueryPowerStatus(SystemPowerStatusEx2& status) override;
    bool HasLibraryExport(std::u16string_view library, std::string_view name) override;

private:
    DeviceSettings const& settings_;
    VirtualClock const& clock_;
    DeviceRoot root_;
    SimulatedShell shell_;
    DeviceState state_;
};

}
