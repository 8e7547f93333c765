#pragma once

// What every program of the suite is to its start, on any backend: a function
// of its command-line text that returns its exit code.

#include <cstdint>
#include <string_view>

using ProgramEntry = int32_t (*)(std::u16string_view commandLine);

// Reads what the program would read at start-up with that command line,
// starting and showing nothing; what it finds reaches the installed backend's
// dialogs as the boxes the program would show and as warnings.
using CheckEntry = void (*)(std::u16string_view commandLine);
