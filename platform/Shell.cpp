#include "platform/Shell.h"

#include "platform/Backend.h"

namespace platform {

bool ShellExecute(ShellExecuteInfo& info)
{
    return CurrentBackend().Services().ShellExecute(info);
}

bool CanExecute(std::u16string_view file)
{
    return CurrentBackend().Services().CanExecute(file);
}

bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode)
{
    return CurrentBackend().Services().GetExitCodeProcess(process, exitCode);
}

bool TerminateProcess(ProcessHandle process, uint32_t exitCode)
{
    return CurrentBackend().Services().TerminateProcess(process, exitCode);
}

bool CloseHandle(ProcessHandle process)
{
    return CurrentBackend().Services().CloseHandle(process);
}

}
