#pragma once

// What the start of a program differs in between the hosts it runs on as a
// desktop program: Linux with X11 (LinuxDesktop.cpp) and Windows
// (programs/windows/WindowsDesktop.cpp).

#include "programs/desktop/DesktopMain.h"

#include <span>
#include <string>
#include <vector>

namespace desktop {

// Readies the host for the program (on Windows: the console it was started
// from, for its lines) and gives the words the user gave, as UTF-8, without
// the program's name.
std::vector<std::string> StartOnHost(int argc, char** argv);
// Why the file at this host path cannot be read; empty when it can.
std::string WhyUnreadable(std::string const& hostPath);
// The host path of a file as the user named it (a device path below the device root).
std::string HostPathOfArgument(std::string const& name);
// The one command-line text the device would hand the program.
std::u16string CommandLineOf(std::span<std::string const> words);
// `--check`: 0 when nothing was found, 1 when anything was.
int RunCheck(char const* programName, CheckEntry check, std::u16string_view commandLine);
// The program on the host's screen (or, where it needs none and there is
// none, on the console); 2 when it cannot run there.
int RunWithBackend(DesktopProgram const& program, std::u16string const& commandLine, bool watch);

}
