#pragma once

// The programs cesim can run, by the name its command line gives them.

#include <cstdint>
#include <string>
#include <string_view>

namespace cesim {

using ProgramEntry = int32_t (*)(std::u16string_view commandLine);

// None for a program that is not part of this build.
ProgramEntry FindProgram(std::string const& name);

}
