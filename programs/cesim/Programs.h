#pragma once

// The programs cesim can run, by the name its command line gives them.

#include "programs/ProgramEntry.h"

#include <string>

namespace cesim {

// None for a program that is not part of this build.
ProgramEntry FindProgram(std::string const& name);

}
