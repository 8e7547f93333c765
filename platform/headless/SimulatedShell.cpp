#include "platform/headless/SimulatedShell.h"

#include <string_view>

namespace platform {

static std::u16string_view Absent(char16_t const* text)
{
    return text ? std::u16string_view(text) : std::u16string_view();
}

SimulatedShell::SimulatedShell(DeviceRoot const& root, Trace& trace)
    : root_(root)
    , trace_(trace)
{
}

bool SimulatedShell::Execute(ShellExecuteInfo& info, uint64_t now)
{
    info.process = {};
    bool started = info.file && root_.FileExists(info.file);
    int32_t number = 0;
    if (started) {
        processes_.push_back({});
        number = int32_t(processes_.size());
        if (info.mask & kExecuteReturnProcess) {
            info.process = ProcessHandle { nextHandle_++ };
            handles_[info.process.value] = number;
        }
    }

    auto event = trace_.Add(now, "shell");
    event.Text("verb", Absent(info.verb))
        .Text("file", Absent(info.file))
        .Text("params", Absent(info.parameters))
        .Text("dir", Absent(info.directory))
        .Number("show", info.show)
        .Number("mask", info.mask)
        .Flag("owner", bool(info.owner));
    if (started)
        event.Number("process", number);
    else
        event.Null("process");
    return started;
}

SimulatedShell::Process const* SimulatedShell::Find(ProcessHandle handle, int32_t* number) const
{
    auto it = handles_.find(handle.value);
    if (it == handles_.end())
        return nullptr;
    if (number)
        *number = it->second;
    return &processes_[size_t(it->second - 1)];
}

bool SimulatedShell::ExitCode(ProcessHandle handle, uint32_t& exitCode) const
{
    Process const* process = Find(handle);
    if (!process)
        return false;
    exitCode = process->exitCode;
    return true;
}

bool SimulatedShell::Terminate(ProcessHandle handle, uint32_t exitCode, uint64_t now)
{
    int32_t number = 0;
    if (!Find(handle, &number) || !IsRunning(number))
        return false;
    End(number, exitCode);
    trace_.Add(now, "terminate").Number("process", number).Number("code", int32_t(exitCode));
    return true;
}

bool SimulatedShell::Close(ProcessHandle handle)
{
    return handles_.erase(handle.value) > 0;
}

bool SimulatedShell::End(int32_t number, uint32_t exitCode)
{
    if (!IsRunning(number))
        return false;
    Process& process = processes_[size_t(number - 1)];
    process.running = false;
    process.exitCode = exitCode;
    return true;
}

bool SimulatedShell::IsRunning(int32_t number) const
{
    return number >= 1 && number <= ProcessCount() && processes_[size_t(number - 1)].running;
}

}
