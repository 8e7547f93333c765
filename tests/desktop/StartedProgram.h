#pragma once

// One of our programs started beside the test's X server as a user would
// start it: in a folder, with environment variables of its own, its
// standard error written to a file the test reads.

#include "tests/support/ChildProcess.h"

#include <memory>
#include <string>
#include <vector>

namespace desktop_tests {

struct ProgramStart {
    std::vector<std::string> arguments = {};
    // Words for env(1) before the program: "NAME=value", or "-u", "NAME" to unset one.
    std::vector<std::string> environment = {};
    // Where its standard error goes; the test's own when empty.
    std::string errorFile = {};
    // Its current folder; the test's own when empty.
    std::string folder = {};
};

std::unique_ptr<testing_support::ChildProcess> StartProgram(std::string const& path, ProgramStart const& start);

// The lines of a text file; none when it cannot be read.
std::vector<std::string> Lines(std::string const& path);

}
