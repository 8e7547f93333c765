#pragma once

// cesim's command line: the program to run, the device it runs on, the
// script and where the trace and pictures go.

#include "platform/headless/HeadlessDevice.h"
#include "programs/ProgramEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace cesim {

// What the command line asks of cesim: a run, or a text about cesim itself.
enum class Request { Run, Check, Help, Version };

struct Options {
    Request request = Request::Run;
    std::string program;
    ProgramEntry entry = nullptr;
    CheckEntry check = nullptr;
    std::u16string commandLine;
    platform::DeviceSettings device;
    std::optional<std::string> script; // "-" is standard input
    std::optional<std::string> trace;
    std::optional<std::string> shot;
};

// Throws UsageError with a message for the user.
Options ParseOptions(std::vector<std::string> const& arguments);

struct UsageError {
    std::string message;
};

// What the command line takes, for --help.
std::string Usage();

}
