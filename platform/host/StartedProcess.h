#pragma once

// A child the shell started. A thread of its own waits for it and reaps it
// the moment it ends, keeping its exit code for whoever still holds it; the
// child is reaped all the same when nobody holds it any more.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <sys/types.h>

namespace platform {

class StartedProcess {
public:
    // None when no thread could be started to wait for `pid`: the child is
    // then ended and reaped at once.
    static std::optional<StartedProcess> Watch(pid_t pid);

    // The platform's value while it runs (259); its code, 128 + the signal
    // that ended it, or the code it was terminated with.
    uint32_t ExitCode() const;
    // Asks it to end (SIGTERM), ends it after `grace` (SIGKILL) and returns
    // once it has ended; false when it had ended already.
    bool Terminate(uint32_t exitCode, std::chrono::milliseconds grace);

private:
    struct Child;
    explicit StartedProcess(std::shared_ptr<Child> child) : child_(std::move(child)) { }
    static void WaitFor(std::shared_ptr<Child> child);

    std::shared_ptr<Child> child_;
};

}
