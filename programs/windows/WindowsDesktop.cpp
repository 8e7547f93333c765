// The start of a program on Windows: its words from the wide command line,
// the system's files, its windows on the Windows desktop.

#include "programs/desktop/HostDesktop.h"

#include "platform/Utf.h"
#include "platform/host/ProgramName.h"
#include "platform/win32/Win32Backend.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WindowsApi.h"
#include "platform/win32/WindowsPaths.h"
#include "programs/check/FileCheck.h"

#include <cstdio>

namespace desktop {

namespace {

// A program with windows has no console of its own: its lines go where its
// standard handles were given, or else to the console it was started from.
void FindConsole()
{
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

bool EveryKeyOfAKeyboard(uint32_t virtualKey)
{
    return virtualKey >= 1 && virtualKey <= 254;
}

}

std::vector<std::string> StartOnHost(int, char**)
{
    FindConsole();
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; words && i < count; ++i)
        arguments.push_back(platform::ToUtf8(platform::win32::FromWide(words[i])));
    LocalFree(words);
    return arguments;
}

std::string HostPathOfArgument(std::string const& name)
{
    return platform::win32::HostPathOf(platform::FromUtf8(name));
}

std::string WhyUnreadable(std::string const& hostPath)
{
    std::wstring path = platform::win32::Wide(platform::FromUtf8(hostPath));
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_ACCESS_DENIED ? "permission denied" : "no such file";
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "it is a folder";
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_ACCESS_DENIED ? "permission denied" : "it cannot be read";
    CloseHandle(file);
    return "";
}

// A word that names a file from the current folder becomes its full path:
// the programs resolve relative names against their own folder, as on the device.
std::u16string CommandLineOf(std::span<std::string const> words)
{
    std::u16string text;
    for (std::string const& word : words) {
        if (!text.empty())
            text += u' ';
        std::u16string typed = platform::FromUtf8(word);
        std::wstring path = platform::win32::Wide(typed);
        wchar_t full[MAX_PATH];
        bool const relative = !typed.empty() && typed[0] != u'\\' && !(typed.size() > 1 && typed[1] == u':');
        DWORD length = relative && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES
            ? GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr)
            : 0;
        text += length > 0 && length < MAX_PATH ? platform::win32::FromWide(std::wstring_view(full, length)) : typed;
    }
    return text;
}

int RunCheck(char const* programName, CheckEntry check, std::u16string_view commandLine)
{
    platform::Win32Services services;
    std::string report;
    int status = check::CheckFiles(services, EveryKeyOfAKeyboard, check, commandLine, programName, report);
    std::fwrite(report.data(), 1, report.size(), stdout);
    std::fflush(stdout);
    return status;
}

int RunWithBackend(DesktopProgram const& program, std::u16string const& commandLine, bool watch)
{
    if (watch) {
        std::fprintf(stderr, "%s: --watch is not available on Windows\n", program.name);
        return 2;
    }
    platform::SetProgramName(program.name);
    // Our pictures are shown pixel for pixel: the system is not to scale them
    // for a screen of more dots per inch, nor to hand us scaled coordinates.
    SetProcessDPIAware();
    platform::Win32Backend backend;
    platform::ScopedBackend installed(backend);
    return program.entry(commandLine);
}

}
