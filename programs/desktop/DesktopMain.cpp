#include "programs/desktop/DesktopMain.h"

#include "platform/host/ConsoleBackend.h"
#include "platform/host/ProgramArguments.h"
#include "platform/x11/X11Backend.h"

#include <cstdio>
#include <string>

namespace desktop {

int RunOnDesktop(char const* programName, int argc, char** argv, ProgramEntry entry, Needs needs)
{
    platform::X11Connection::SetProgramName(programName);
    std::u16string commandLine = platform::CommandLineFromArguments(argc, argv);
    std::string error;
    if (auto backend = platform::X11Backend::Open(error)) {
        platform::ScopedBackend installed(*backend);
        return entry(commandLine);
    }
    if (needs == Needs::Display) {
        std::fprintf(stderr, "%s: %s\n", programName, error.c_str());
        return 2;
    }
    platform::ConsoleBackend console;
    platform::ScopedBackend installed(console);
    return entry(commandLine);
}

}
