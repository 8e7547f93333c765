#include "platform/Shell.h"

#include "platform/Backend.h"

namespace platform {

bool ShellExecute(ShellExecuteInfo& info)
{
    return CurrentBackend().ShellExecute(info);
}

bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode)
{
    return CurrentBackend().GetExitCodeProcess(process, exitCode);
}

bool TerminateProcess(ProcessHandle process, uint32_t exitCode)
{
    return CurrentBackend().TerminateProcess(process, exitCode);
}

bool CloseHandle(ProcessHandle process)
{
    return CurrentBackend().CloseHandle(process);
}

}
