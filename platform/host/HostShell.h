#pragma once

// The shell on the Linux desktop: programs are started directly, their
// parameters split into words as the platform splits them, never through a
// shell; anything else is handed to the desktop's opener (xdg-open).

#include "platform/Shell.h"

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

std::string HostPathOf(std::u16string_view devicePath);

class HostShell {
public:
    bool Execute(ShellExecuteInfo& info);
    static bool CanExecute(std::u16string_view file);
    bool ExitCode(ProcessHandle handle, uint32_t& exitCode);
    bool Terminate(ProcessHandle handle, uint32_t exitCode);
    bool Close(ProcessHandle handle);

private:
    struct Process {
        pid_t pid = 0;
        bool ended = false;
        uint32_t exitCode = kStillActive;
    };
    void Reap(Process& process);
    void ReapUnwatched();
    std::map<uint32_t, Process> processes_;
    std::vector<pid_t> unwatched_; // started without a handle, or their handle closed
    uint32_t nextHandle_ = 1;
};

}
