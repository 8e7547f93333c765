#pragma once

// The shell on the Linux desktop: programs are started directly, their
// parameters split into words as the platform splits them, never through a
// shell; anything else is handed to the desktop's opener (xdg-open). Every
// child is reaped when it ends. A start that fails is told in one line on
// standard error and, unless the caller asked for silence, in the shell's
// own box, as the device's shell does.

#include "platform/Shell.h"
#include "platform/host/StartedProcess.h"

#include <chrono>
#include <map>
#include <string>

namespace platform {

class Dialogs;
class StartFailure;

std::string HostPathOf(std::u16string_view devicePath);

class HostShell {
public:
    // How long a terminated program may take to end before it is killed.
    static constexpr std::chrono::milliseconds kTerminateGrace { 1000 };

    // `boxes`: where failed starts are shown; none where there is no screen.
    explicit HostShell(Dialogs* boxes = nullptr) : boxes_(boxes) { }

    bool Execute(ShellExecuteInfo& info);
    static bool CanExecute(std::u16string_view file);
    bool ExitCode(ProcessHandle handle, uint32_t& exitCode);
    bool Terminate(ProcessHandle handle, uint32_t exitCode);
    bool Close(ProcessHandle handle);

private:
    void Report(StartFailure const& failure, ShellExecuteInfo const& info);

    Dialogs* boxes_;
    std::map<uint32_t, StartedProcess> processes_;
    uint32_t nextHandle_ = 1;
};

}
