#pragma once

// The key-binding daemon's program entry.

#include <cstdint>
#include <string_view>

namespace brellum {

// The command-line text names the INI file; returns the exit code.
int32_t BrellumMain(std::u16string_view commandLine);

}
