#pragma once

// The key-binding daemon's program entry: it registers the window class and
// opens the one window, which loads the binding file while it is created.
// Start reading here; the window's life goes on in DaemonWindow.cpp, the
// presses in PressTracker and PressTiming.cpp.

#include <cstdint>
#include <string_view>

namespace brellum {

// The command-line text names the INI file; returns the exit code.
int32_t BrellumMain(std::u16string_view commandLine);

}
