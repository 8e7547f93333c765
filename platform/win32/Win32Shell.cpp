#include "platform/win32/Win32Shell.h"

#include "platform/Utf.h"
#include "platform/host/ProgramName.h"
#include "platform/win32/WindowsPaths.h"

#include <cstdio>
#include <optional>
#include <string>

namespace platform {

namespace {

std::optional<std::wstring> WideOf(char16_t const* text, bool devicePath = false)
{
    if (!text)
        return std::nullopt;
    return devicePath ? win32::SystemPathOf(text) : win32::Wide(text);
}

// The system's reason, in the user's words where we have them.
std::string ReasonOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "no such file";
    case ERROR_ACCESS_DENIED:
        return "permission denied";
    case ERROR_BAD_EXE_FORMAT:
        return "not an executable program";
    case ERROR_NO_ASSOCIATION:
        return "no program to open it with";
    default:
        return "the system refused it (error " + std::to_string(error) + ")";
    }
}

}

Win32Shell::~Win32Shell()
{
    for (auto const& [number, process] : processes_)
        ::CloseHandle(process);
}

bool Win32Shell::Execute(ShellExecuteInfo& info)
{
    info.process = {};
    if (!info.file)
        return false;
    std::wstring file = win32::SystemPathOf(info.file);
    std::optional<std::wstring> verb = WideOf(info.verb);
    std::optional<std::wstring> parameters = WideOf(info.parameters);
    std::optional<std::wstring> folder = WideOf(info.directory, true);
    SHELLEXECUTEINFOW system {};
    system.cbSize = sizeof system;
    // Our mask bits are the system's; a process is always asked for, so that none is left unclosed.
    system.fMask = (info.mask & (SEE_MASK_FLAG_NO_UI)) | SEE_MASK_NOCLOSEPROCESS;
    system.lpVerb = verb ? verb->c_str() : nullptr;
    system.lpFile = file.c_str();
    system.lpParameters = parameters ? parameters->c_str() : nullptr;
    system.lpDirectory = folder ? folder->c_str() : nullptr;
    system.nShow = info.show;
    if (!ShellExecuteExW(&system)) {
        std::fprintf(stderr, "%s: cannot start \"%s\": %s\n", ProgramName().c_str(), ToUtf8(info.file).c_str(),
            ReasonOf(GetLastError()).c_str());
        return false;
    }
    if (!system.hProcess)
        return true; // handed to a program that was running already
    if (!(info.mask & kExecuteReturnProcess)) {
        ::CloseHandle(system.hProcess);
        return true;
    }
    info.process = ProcessHandle { nextHandle_++ };
    processes_[info.process.value] = system.hProcess;
    return true;
}

bool Win32Shell::CanExecute(std::u16string_view file)
{
    std::wstring path = win32::SystemPathOf(file);
    if (path.empty())
        return false;
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    wchar_t found[MAX_PATH];
    return SearchPathW(nullptr, path.c_str(), L".exe", MAX_PATH, found, nullptr) > 0;
}

HANDLE Win32Shell::Find(ProcessHandle handle) const
{
    auto found = processes_.find(handle.value);
    return found == processes_.end() ? nullptr : found->second;
}

bool Win32Shell::ExitCode(ProcessHandle handle, uint32_t& exitCode)
{
    HANDLE process = Find(handle);
    DWORD code = 0;
    if (!process || !::GetExitCodeProcess(process, &code))
        return false;
    exitCode = code;
    return true;
}

bool Win32Shell::Terminate(ProcessHandle handle, uint32_t exitCode)
{
    HANDLE process = Find(handle);
    return process && ::TerminateProcess(process, exitCode);
}

bool Win32Shell::Close(ProcessHandle handle)
{
    HANDLE process = Find(handle);
    if (!process)
        return false;
    ::CloseHandle(process);
    processes_.erase(handle.value);
    return true;
}

}
