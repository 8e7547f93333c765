#pragma once

// The running program's own name ("vessarine", "brellum", "talvok"), which
// begins its lines on standard error and names its windows on the desktop.

#include <string>

namespace platform {

void SetProgramName(std::string name);
std::string const& ProgramName();

}
