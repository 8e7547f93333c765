#pragma once

// The programs cesim can run, by the name its command line gives them.

#include "programs/ProgramEntry.h"

#include <string>
#include <string_view>

namespace cesim {

struct Program {
    std::string_view name;
    ProgramEntry entry;
    CheckEntry check;
    // The device path the program's own-path query answers unless --exe says otherwise.
    std::u16string_view defaultExe;
};

// Null for a name that is none of them.
Program const* FindProgram(std::string_view name);

// Every name, as "a, b or c".
std::string ProgramNames();

}
