#pragma once

// A program started by a test, ended by force if the test leaves it running.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Whether a child's error output reaches the test's own.
enum class ErrorOutput {
    Shown,
    Discarded,
};

class ChildProcess {
public:
    ChildProcess(std::string const& program, std::vector<std::string> const& arguments,
        ErrorOutput errors = ErrorOutput::Shown);
    ~ChildProcess();
    ChildProcess(ChildProcess const&) = delete;
    ChildProcess& operator=(ChildProcess const&) = delete;

    int Pid() const { return pid_; }
    bool Running();
    // The exit code once it has ended within `timeout`; none if it is still running.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
    void Kill();

private:
    int pid_ = 0;
    std::optional<int> status_;
};

// Runs a tool to its end; its exit code, or -1 when it did not start or had
// to be ended after `timeout`.
int RunTool(std::string const& program, std::vector<std::string> const& arguments,
    ErrorOutput errors = ErrorOutput::Shown, std::chrono::milliseconds timeout = std::chrono::seconds(20));

// A file of /proc/PID, read whole; empty when the process ended meanwhile.
std::string ReadProcessFile(std::string const& path);

}
