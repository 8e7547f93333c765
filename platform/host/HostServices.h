#pragma once

// The real Linux machine's system services: host files, real processes, the
// monotonic clock, the C library's local time and locale, memory, storage,
// power. The desktop and the console run both stand on them.

#include "platform/host/HostShell.h"
#include "platform/roles/SystemServices.h"

namespace platform {

class HostServices final : public SystemServices {
public:
    // `boxes`: where the shell shows a failed start; none where there is no screen.
    explicit HostServices(Dialogs* boxes = nullptr) : shell_(boxes) { }

    std::unique_ptr<FileStream> OpenForReading(std::u16string_view path) override;
    std::optional<std::u16string> ProgramPath() override;
    bool ShellExecute(ShellExecuteInfo& info) override { return shell_.Execute(info); }
    bool CanExecute(std::u16string_view file) override { return HostShell::CanExecute(file); }
    std::u16string UserPath(std::u16string_view path) override;
    bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode) override { return shell_.ExitCode(process, exitCode); }
    bool TerminateProcess(ProcessHandle process, uint32_t exitCode) override { return shell_.Terminate(process, exitCode); }
    bool CloseHandle(ProcessHandle process) override { return shell_.Close(process); }
    uint32_t TickCount() override;
    SystemTime LocalTime() override;
    LocaleData const& UserLocale() override;
    MemoryStatus QueryMemory() override;
    bool QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total) override;
    bool QueryPowerStatus(SystemPowerStatusEx2& status) override;
    bool HasLibraryExport(std::u16string_view library, std::string_view name) override;

private:
    HostShell shell_;
};

}
