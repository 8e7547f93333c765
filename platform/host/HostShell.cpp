#include "platform/host/HostShell.h"

#include "platform/Utf.h"
#include "platform/host/CommandLineWords.h"
#include "platform/host/DeviceRootFolder.h"
#include "platform/host/ProgramName.h"
#include "platform/host/StartFailure.h"
#include "platform/roles/Dialogs.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>
#include <vector>

extern char** environ;

namespace platform {

std::string HostPathOf(std::u16string_view devicePath)
{
    std::string path = ToUtf8(devicePath);
    bool const fromDeviceRoot = !path.empty() && path.front() == '\\';
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return fromDeviceRoot ? DeviceRoot() + path : path;
}

static bool IsExecutableFile(std::string const& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// A bare name is looked up along PATH, as the desktop's launchers do.
static std::string FindProgram(std::string const& file)
{
    if (file.find('/') != std::string::npos)
        return IsExecutableFile(file) ? file : std::string();
    char const* searchPath = std::getenv("PATH");
    std::string folders = searchPath ? searchPath : "/usr/bin:/bin";
    for (size_t start = 0; start <= folders.size();) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos)
            end = folders.size();
        std::string candidate = folders.substr(start, end - start) + "/" + file;
        if (end > start && IsExecutableFile(candidate))
            return candidate;
        start = end + 1;
    }
    return {};
}

// Starts `program` with `arguments` (its own path first); 0, or the system's error number.
static int Spawn(std::string const& program, std::vector<std::string> arguments, char16_t const* directory, pid_t& pid)
{
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    std::string folder = directory ? HostPathOf(directory) : std::string();
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

// The child started for the caller's file, or why there is none.
static std::variant<pid_t, StartFailure> Start(std::u16string_view named, ShellExecuteInfo const& info)
{
    std::string const file = HostPathOf(named);
    if (file.empty())
        return StartFailure(named, StartProblem::NoSuchFile);
    pid_t pid = 0;
    if (std::string program = FindProgram(file); !program.empty()) {
        std::vector<std::string> arguments { program };
        for (auto const& word : CommandLineWords(info.parameters ? info.parameters : u""))
            arguments.push_back(ToUtf8(word));
        int error = Spawn(program, std::move(arguments), info.directory, pid);
        // The program is there: what is missing is what runs it (a script's interpreter).
        if (error == ENOENT && !info.directory)
            return StartFailure(named, StartProblem::InterpreterMissing);
        if (error)
            return StartFailure::FromError(named, error);
        return pid;
    }
    // A document: it must be there and readable, and something must open it.
    if (::access(file.c_str(), R_OK) != 0)
        return StartFailure::FromError(named, errno);
    std::string opener = FindProgram("xdg-open");
    if (opener.empty())
        return StartFailure(named, StartProblem::NoOpener);
    if (int error = Spawn(opener, { opener, file }, info.directory, pid))
        return StartFailure::FromError(named, error);
    return pid;
}

bool HostShell::CanExecute(std::u16string_view file)
{
    std::string const path = HostPathOf(file);
    return !path.empty() && (!FindProgram(path).empty() || ::access(path.c_str(), F_OK) == 0);
}

bool HostShell::Execute(ShellExecuteInfo& info)
{
    info.process = {};
    std::u16string_view const named = info.file ? info.file : u"";
    auto started = Start(named, info);
    if (auto const* failure = std::get_if<StartFailure>(&started)) {
        Report(*failure, info);
        return false;
    }
    auto process = StartedProcess::Watch(std::get<pid_t>(started));
    if (!process) {
        Report(StartFailure::FromError(named, EAGAIN), info);
        return false;
    }
    // The minimised state has no meaning for a program started this way; it is not passed on.
    if (info.mask & kExecuteReturnProcess) {
        info.process = ProcessHandle { nextHandle_++ };
        processes_.emplace(info.process.value, std::move(*process));
    }
    return true;
}

void HostShell::Report(StartFailure const& failure, ShellExecuteInfo const& info)
{
    std::string const line = failure.Line(ProgramName());
    std::fwrite(line.data(), 1, line.size(), stderr);
    if (boxes_ && !(info.mask & kExecuteNoErrorUi))
        boxes_->MessageBox(info.owner, failure.BoxText(), StartFailure::kBoxCaption, Box::Ok | Box::IconError);
}

bool HostShell::ExitCode(ProcessHandle handle, uint32_t& exitCode)
{
    auto it = processes_.find(handle.value);
    if (it == processes_.end())
        return false;
    exitCode = it->second.ExitCode();
    return true;
}

bool HostShell::Terminate(ProcessHandle handle, uint32_t exitCode)
{
    auto it = processes_.find(handle.value);
    return it != processes_.end() && it->second.Terminate(exitCode, kTerminateGrace);
}

// The child runs on; it is reaped when it ends.
bool HostShell::Close(ProcessHandle handle)
{
    return processes_.erase(handle.value) > 0;
}

}
