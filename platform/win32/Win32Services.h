#pragma once

// The real Windows machine's system services: its files, its shell and
// processes, the tick count, local time and the user's locale, memory,
// storage and power. The device's core library ("coredll.dll") is served by
// our own power call over the system's.

#include "platform/roles/SystemServices.h"
#include "platform/win32/Win32Shell.h"

namespace platform {

class Win32Services final : public SystemServices {
public:
    std::unique_ptr<FileStream> OpenForReading(std::u16string_view path) override;
    std::optional<std::u16string> ProgramPath() override;
    bool ShellExecute(ShellExecuteInfo& info) override { return shell_.Execute(info); }
    bool CanExecute(std::u16string_view file) override { return Win32Shell::CanExecute(file); }
    bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode) override { return shell_.ExitCode(process, exitCode); }
    bool TerminateProcess(ProcessHandle process, uint32_t exitCode) override { return shell_.Terminate(process, exitCode); }
    bool CloseHandle(ProcessHandle process) override { return shell_.Close(process); }
    uint32_t TickCount() override;
    SystemTime LocalTime() override;
    LocaleData const& UserLocale() override;
    std::optional<std::u16string> FormatForUser(
        PictureKind kind, SystemTime const& time, std::optional<std::u16string_view> picture) override;
    MemoryStatus QueryMemory() override;
    bool QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total) override;
    bool QueryPowerStatus(SystemPowerStatusEx2& status) override;
    bool HasLibraryExport(std::u16string_view library, std::string_view name) override;

private:
    Win32Shell shell_;
};

}
