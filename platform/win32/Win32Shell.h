#pragma once

// The shell on Windows: ShellExecuteExW with the caller's mask, verb,
// parameters, folder and show state; a failed start is shown by the system
// itself unless the mask asks for silence, and told in one line on standard
// error. Started processes are kept by our handle numbers.

#include "platform/Shell.h"
#include "platform/win32/WindowsApi.h"

#include <map>
#include <string_view>

namespace platform {

class Win32Shell {
public:
    Win32Shell() = default;
    ~Win32Shell();
    Win32Shell(Win32Shell const&) = delete;
    Win32Shell& operator=(Win32Shell const&) = delete;

    bool Execute(ShellExecuteInfo& info);
    static bool CanExecute(std::u16string_view file);
    bool ExitCode(ProcessHandle handle, uint32_t& exitCode);
    bool Terminate(ProcessHandle handle, uint32_t exitCode);
    bool Close(ProcessHandle handle);

private:
    HANDLE Find(ProcessHandle handle) const;

    std::map<uint32_t, HANDLE> processes_;
    uint32_t nextHandle_ = 1;
};

}
