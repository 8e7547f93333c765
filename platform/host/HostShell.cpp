#include "platform/host/HostShell.h"

#include "platform/Utf.h"
#include "platform/host/CommandLineWords.h"
#include "platform/host/DeviceRootFolder.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
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

static pid_t Spawn(std::string const& program, std::vector<std::string> arguments, char16_t const* directory)
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
    pid_t pid = 0;
    int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : 0;
}

bool HostShell::CanExecute(std::u16string_view file)
{
    std::string const path = HostPathOf(file);
    return !path.empty() && (!FindProgram(path).empty() || ::access(path.c_str(), F_OK) == 0);
}

bool HostShell::Execute(ShellExecuteInfo& info)
{
    info.process = {};
    if (!info.file || !*info.file)
        return false;
    std::string file = HostPathOf(info.file);
    pid_t pid = 0;
    if (std::string program = FindProgram(file); !program.empty()) {
        std::vector<std::string> arguments { program };
        for (auto const& word : CommandLineWords(info.parameters ? info.parameters : u""))
            arguments.push_back(ToUtf8(word));
        pid = Spawn(program, std::move(arguments), info.directory);
    } else if (::access(file.c_str(), F_OK) == 0) {
        std::string opener = FindProgram("xdg-open");
        if (!opener.empty())
            pid = Spawn(opener, { opener, file }, info.directory);
    }
    ReapUnwatched();
    if (!pid)
        return false;
    // The minimised state has no meaning for a program started this way; it is not passed on.
    if (info.mask & kExecuteReturnProcess) {
        info.process = ProcessHandle { nextHandle_++ };
        processes_[info.process.value] = { pid };
    } else {
        unwatched_.push_back(pid);
    }
    return true;
}

// Ended children nobody asks about must still be collected, or they linger.
void HostShell::ReapUnwatched()
{
    std::erase_if(unwatched_, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) == pid; });
}

void HostShell::Reap(Process& process)
{
    if (process.ended)
        return;
    int status = 0;
    if (::waitpid(process.pid, &status, WNOHANG) == process.pid) {
        process.ended = true;
        process.exitCode = WIFEXITED(status) ? uint32_t(WEXITSTATUS(status)) : uint32_t(128 + WTERMSIG(status));
    }
}

bool HostShell::ExitCode(ProcessHandle handle, uint32_t& exitCode)
{
    auto it = processes_.find(handle.value);
    if (it == processes_.end())
        return false;
    Reap(it->second);
    exitCode = it->second.exitCode;
    return true;
}

bool HostShell::Terminate(ProcessHandle handle, uint32_t exitCode)
{
    auto it = processes_.find(handle.value);
    if (it == processes_.end())
        return false;
    Reap(it->second);
    if (it->second.ended)
        return false;
    ::kill(it->second.pid, SIGTERM);
    ::waitpid(it->second.pid, nullptr, 0);
    it->second.ended = true;
    it->second.exitCode = exitCode;
    return true;
}

bool HostShell::Close(ProcessHandle handle)
{
    auto it = processes_.find(handle.value);
    if (it == processes_.end())
        return false;
    Reap(it->second);
    if (!it->second.ended)
        unwatched_.push_back(it->second.pid);
    processes_.erase(it);
    return true;
}

}
