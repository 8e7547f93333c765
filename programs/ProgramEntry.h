#pragma once

// What every program of the suite is to its start, on any backend: a function
// of its command-line text that returns its exit code.

#include <cstdint>
#include <string_view>

using ProgramEntry = int32_t (*)(std::u16string_view commandLine);
