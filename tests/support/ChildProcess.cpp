#include "tests/support/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testing_support {

ChildProcess::ChildProcess(std::string const& program, std::vector<std::string> const& arguments, ErrorOutput errors)
{
    std::vector<char*> argv { const_cast<char*>(program.c_str()) };
    for (auto const& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (errors == ErrorOutput::Discarded)
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
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
    // Short tools end within a few milliseconds: look often at first, then less.
    std::chrono::milliseconds pause(1);
    while (Running() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(10));
    }
    return status_;
}

void ChildProcess::Kill()
{
    if (Running()) {
        ::kill(pid_, SIGKILL);
        WaitForExit(std::chrono::seconds(5));
    }
}

int RunTool(std::string const& program, std::vector<std::string> const& arguments, ErrorOutput errors,
    std::chrono::milliseconds timeout)
{
    ChildProcess tool(program, arguments, errors);
    return tool.WaitForExit(timeout).value_or(-1);
}

std::string ReadProcessFile(std::string const& path)
{
    std::string text;
    int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(file, buffer, sizeof buffer)) != 0;) {
        if (got < 0) {
            if (errno == EINTR)
                continue;
            text.clear(); // ended while being read
            break;
        }
        text.append(buffer, size_t(got));
    }
    ::close(file);
    return text;
}

}
