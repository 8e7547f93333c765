#include "programs/desktop/DesktopMain.h"

#include "platform/Utf.h"
#include "platform/host/HostBackend.h"
#include "platform/x11/X11Backend.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace desktop {

namespace {

// The programs resolve relative names against their own folder, as on the
// device; on a desktop a name typed in a shell means the current folder.
std::string AsTyped(char const* word)
{
    if (word[0] == '/' || access(word, F_OK) != 0)
        return word;
    char resolved[PATH_MAX];
    return realpath(word, resolved) ? std::string(resolved) : std::string(word);
}

std::u16string CommandLine(int argc, char** argv)
{
    std::u16string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += u' ';
        text += platform::FromUtf8(AsTyped(argv[i]));
    }
    return text;
}

}

int RunOnDesktop(char const* programName, int argc, char** argv, ProgramEntry entry, Needs needs)
{
    platform::X11Connection::SetProgramName(programName);
    std::u16string commandLine = CommandLine(argc, argv);
    std::string error;
    if (auto backend = platform::X11Backend::Open(error)) {
        platform::ScopedBackend installed(*backend);
        return entry(commandLine);
    }
    if (needs == Needs::Display) {
        std::fprintf(stderr, "%s: %s\n", programName, error.c_str());
        return 2;
    }
    platform::HostBackend host;
    platform::ScopedBackend installed(host);
    return entry(commandLine);
}

}
