#include "programs/desktop/DesktopMain.h"

#include "platform/HostFilePath.h"
#include "platform/host/DeviceRootFolder.h"
#include "programs/Documentation.h"
#include "programs/desktop/CommandLine.h"
#include "programs/desktop/HostDesktop.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace desktop {

int RunOnDesktop(DesktopProgram const& program, int argc, char** argv)
{
    std::vector<std::string> arguments = StartOnHost(argc, argv);
    std::vector<char*> words;
    for (std::string& argument : arguments)
        words.push_back(argument.data());
    CommandLineRequest request = ReadCommandLine(words, program.usage);
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
        std::filesystem::path root = platform::HostFileSystemPath(*request.root);
        if (!std::filesystem::is_directory(root, error)) {
            std::fprintf(stderr, "%s: the device root '%s' is not a folder\n", program.name, request.root->c_str());
            return 2;
        }
        platform::SetDeviceRoot(platform::HostPathText(std::filesystem::absolute(root, error).lexically_normal()));
    }
    std::vector<std::string> fileWords;
    if (request.file)
        fileWords.push_back(*request.file);
    // A check names even a file that does not exist from the current folder,
    // as typed; a device path (\X) stays one.
    if (request.action == Action::Check && request.file && !request.file->empty() && request.file->front() != '\\')
        fileWords.front() = platform::HostPathText(std::filesystem::absolute(platform::HostFileSystemPath(*request.file)));
    std::u16string commandLine = CommandLineOf(fileWords);
    if (request.action == Action::Check)
        return RunCheck(program.name, program.check, commandLine);
    if (request.file) {
        std::string name = *request.file;
        if (program.usage.quotesRemoved)
            std::erase(name, '"');
        std::string why = WhyUnreadable(HostPathOfArgument(name));
        if (!why.empty()) {
            std::fprintf(stderr, "%s: cannot open '%s': %s\n", program.name, request.file->c_str(), why.c_str());
            return 2;
        }
    }
    return RunWithBackend(program, commandLine, request.watch);
}

}
