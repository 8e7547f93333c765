#include "tests/desktop/ChildProcess.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace desktop_tests {

ChildProcess::ChildProcess(std::string const& program, std::vector<std::string> const& arguments)
{
    std::vector<char*> argv { const_cast<char*>(program.c_str()) };
    for (auto const& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0)
        pid_ = pid;
}

ChildProcess::~ChildProcess()
{
    Kill();
}

bool ChildProcess::Running()
{
    if (!pid_ || status_)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) != pid_)
        return true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return false;
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout)
{
    auto end = std::chrono::steady_clock::now() + timeout;
    while (Running() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return status_;
}

void ChildProcess::Kill()
{
    if (Running()) {
        ::kill(pid_, SIGKILL);
        WaitForExit(std::chrono::seconds(5));
    }
}

int RunTool(std::string const& program, std::vector<std::string> const& arguments)
{
    ChildProcess tool(program, arguments);
    return tool.WaitForExit(std::chrono::seconds(20)).value_or(-1);
}

}
