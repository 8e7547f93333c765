#pragma once

// The shell of the simulated device: an execute call starts a process when
// its file names an existing device file; processes run until the script ends
// them or the program terminates them.

#include "platform/Shell.h"
#include "platform/headless/DeviceRoot.h"
#include "platform/headless/Trace.h"

#include <cstdint>
#include <map>
#include <vector>

namespace platform {

class SimulatedShell {
public:
    SimulatedShell(DeviceRoot const& root, Trace& trace);

    bool Execute(ShellExecuteInfo& info, uint64_t now);
    bool ExitCode(ProcessHandle handle, uint32_t& exitCode) const;
    bool Terminate(ProcessHandle handle, uint32_t exitCode, uint64_t now);
    bool Close(ProcessHandle handle);
    // Process `number` (from 1, in start order) ends by itself.
    bool End(int32_t number, uint32_t exitCode);

    int32_t ProcessCount() const { return int32_t(processes_.size()); }
    bool IsRunning(int32_t number) const;

private:
    struct Process {
        bool running = true;
        uint32_t exitCode = kStillActive;
    };
    Process const* Find(ProcessHandle handle, int32_t* number = nullptr) const;

    DeviceRoot const& root_;
    Trace& trace_;
    std::vector<Process> processes_;
    std::map<uint32_t, int32_t> handles_; // handle value -> process number
    uint32_t nextHandle_ = 1;
};

}
