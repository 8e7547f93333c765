// The start of a program on the Linux desktop: its words as the shell gave
// them, POSIX files, the X server or, without one, the console.

#include "programs/desktop/HostDesktop.h"

#include "platform/host/ConsoleBackend.h"
#include "platform/host/HostServices.h"
#include "platform/host/HostShell.h"
#include "platform/host/ProgramArguments.h"
#include "platform/host/ProgramName.h"
#include "platform/Utf.h"
#include "platform/x11/X11Backend.h"
#include "platform/x11/X11KeyMap.h"
#include "programs/check/FileCheck.h"
#include "programs/desktop/MemoryPolicy.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace desktop {

std::vector<std::string> StartOnHost(int argc, char** argv)
{
    return { argv + 1, argv + argc };
}

std::string HostPathOfArgument(std::string const& name)
{
    return platform::HostPathOf(platform::FromUtf8(name));
}

std::string WhyUnreadable(std::string const& path)
{
    int file = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return "no such file";
        if (errno == EACCES)
            return "permission denied";
        std::string text = std::strerror(errno);
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
        return text;
    }
    struct stat info {};
    bool folder = ::fstat(file, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(file);
    return folder ? "it is a folder" : "";
}

std::u16string CommandLineOf(std::span<std::string const> words)
{
    return platform::CommandLineFromArguments(words);
}

int RunCheck(char const* programName, CheckEntry check, std::u16string_view commandLine)
{
    // Not std::cout: the program would carry the standard streams and set them up at every start.
    platform::HostServices services;
    std::string report;
    int status = check::CheckFiles(services, platform::HasKeySymFor, check, commandLine, programName, report);
    std::fwrite(report.data(), 1, report.size(), stdout);
    std::fflush(stdout);
    return status;
}

int RunWithBackend(DesktopProgram const& program, std::u16string const& commandLine, bool watch)
{
    ReturnLargeBlocksToTheSystem();
    platform::SetProgramName(program.name);
    std::string error;
    if (auto backend = platform::X11Backend::Open(error)) {
        if (watch && !backend->StartWatchingFiles(error)) {
            std::fprintf(stderr, "%s: %s\n", program.name, error.c_str());
            return 2;
        }
        platform::ScopedBackend installed(*backend);
        return program.entry(commandLine);
    }
    if (program.needs == Needs::Display) {
        std::fprintf(stderr, "%s: %s\n", program.name, error.c_str());
        return 2;
    }
    platform::ConsoleBackend console;
    platform::ScopedBackend installed(console);
    return program.entry(commandLine);
}

}
