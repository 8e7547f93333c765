#include "platform/host/StartedProcess.h"

#include "platform/Shell.h"

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <sys/wait.h>
#include <system_error>
#include <thread>

namespace platform {

// Signals go to the pid only under the lock, and the waiter reaps under it:
// a pid is never signalled after it could have been given to another process.
struct StartedProcess::Child {
    pid_t pid = 0;
    std::mutex mutex;
    std::condition_variable ended;
    bool hasEnded = false;
    uint32_t exitCode = kStillActive;
    std::optional<uint32_t> terminatedWith;
};

static uint32_t ExitCodeOf(siginfo_t const& info)
{
    bool const bySignal = info.si_code == CLD_KILLED || info.si_code == CLD_DUMPED;
    return bySignal ? uint32_t(128 + info.si_status) : uint32_t(info.si_status);
}

std::optional<StartedProcess> StartedProcess::Watch(pid_t pid)
{
    auto child = std::make_shared<Child>();
    child->pid = pid;
    try {
        std::thread(WaitFor, child).detach();
    } catch (std::system_error const&) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        return std::nullopt;
    }
    return StartedProcess(std::move(child));
}

void StartedProcess::WaitFor(std::shared_ptr<Child> child)
{
    // Wait without reaping, so that the pid stays the child's until the lock is held.
    siginfo_t info {};
    while (::waitid(P_PID, id_t(child->pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    std::lock_guard lock(child->mutex);
    ::waitpid(child->pid, nullptr, 0);
    child->exitCode = child->terminatedWith.value_or(ExitCodeOf(info));
    child->hasEnded = true;
    child->ended.notify_all();
}

uint32_t StartedProcess::ExitCode() const
{
    std::lock_guard lock(child_->mutex);
    return child_->exitCode;
}

bool StartedProcess::Terminate(uint32_t exitCode, std::chrono::milliseconds grace)
{
    std::unique_lock lock(child_->mutex);
    if (child_->hasEnded)
        return false;
    child_->terminatedWith = exitCode;
    ::kill(child_->pid, SIGTERM);
    if (!child_->ended.wait_for(lock, grace, [&] { return child_->hasEnded; })) {
        ::kill(child_->pid, SIGKILL);
        child_->ended.wait(lock, [&] { return child_->hasEnded; });
    }
    return true;
}

}
