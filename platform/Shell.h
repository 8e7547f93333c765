#pragma once

// The shell's execute call and the processes it starts.

#include "platform/Types.h"

#include <string_view>

namespace platform {

// Mask bits of the execute record.
constexpr uint32_t kExecuteReturnProcess = 0x40;
constexpr uint32_t kExecuteNoErrorUi = 0x400;

// Exit code of a process that has not ended.
constexpr uint32_t kStillActive = 259;

// The execute-information record; absent strings are null.
struct ShellExecuteInfo {
    uint32_t size = 60;
    uint32_t mask = 0;
    WindowHandle owner;
    char16_t const* verb = nullptr;
    char16_t const* file = nullptr;
    char16_t const* parameters = nullptr;
    char16_t const* directory = nullptr;
    int32_t show = kShowNormal;
    ProcessHandle process; // set by the call when the mask asks for it
};

// True when the file was started or opened.
bool ShellExecute(ShellExecuteInfo& info);
// Whether ShellExecute would start or open something for `file`: a program
// (on the desktop also one found along PATH) or an existing file.
bool CanExecute(std::u16string_view file);
bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode);
bool TerminateProcess(ProcessHandle process, uint32_t exitCode);
bool CloseHandle(ProcessHandle process);

}
