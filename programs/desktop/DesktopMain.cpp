#include "programs/desktop/DesktopMain.h"

#include "platform/host/ConsoleBackend.h"
#include "platform/host/DeviceRootFolder.h"
#include "platform/host/HostShell.h"
#include "platform/host/ProgramName.h"
#include "platform/host/ProgramArguments.h"
#include "platform/Utf.h"
#include "platform/x11/X11Backend.h"
#include "programs/Documentation.h"
#include "programs/desktop/CheckRun.h"
#include "programs/desktop/CommandLine.h"
#include "programs/desktop/MemoryPolicy.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace desktop {

namespace {

// Why the file the user named cannot be read; empty when it can.
std::string WhyUnreadable(std::string name, ProgramUsage const& usage)
{
    if (usage.quotesRemoved)
        std::erase(name, '"');
    std::string path = platform::HostPathOf(platform::FromUtf8(name));
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

int RunOnDesktop(DesktopProgram const& program, int argc, char** argv)
{
    CommandLineRequest request = ReadCommandLine({ argv + 1, argv + argc }, program.usage);
    switch (request.action) {
    case Action::Help: {
        std::string help = std::string(program.usage.help)
            + programs::DocumentationLines(program.name, program.usage.reference);
        std::fwrite(help.data(), 1, help.size(), stdout);
        return 0;
    }
    case Action::Version:
        std::printf("%s %s\n", program.name, VESSARINE_VERSION);
        return 0;
    case Action::Mistake:
        std::fprintf(stderr, "%s: %s (try '%s --help')\n", program.name, request.mistake.c_str(), program.name);
        return 2;
    case Action::Check:
    case Action::Run:
        break;
    }
    if (request.root) {
        std::error_code error;
        if (!std::filesystem::is_directory(*request.root, error)) {
            std::fprintf(stderr, "%s: the device root '%s' is not a folder\n", program.name, request.root->c_str());
            return 2;
        }
        platform::SetDeviceRoot(std::filesystem::absolute(*request.root, error).lexically_normal().string());
    }
    std::vector<std::string> words;
    if (request.file)
        words.push_back(*request.file);
    // A check names even a file that does not exist from the current folder,
    // as typed; a device path (\X) stays one.
    if (request.action == Action::Check && request.file && !request.file->empty() && request.file->front() != '\\')
        words.front() = std::filesystem::absolute(*request.file).string();
    std::u16string commandLine = platform::CommandLineFromArguments(words);
    if (request.action == Action::Check)
        return RunCheck(program.name, program.check, commandLine);
    if (request.file) {
        std::string why = WhyUnreadable(*request.file, program.usage);
        if (!why.empty()) {
            std::fprintf(stderr, "%s: cannot open '%s': %s\n", program.name, request.file->c_str(), why.c_str());
            return 2;
        }
    }
    return RunWithBackend(program, commandLine, request.watch);
}

}
