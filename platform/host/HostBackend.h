#pragma once

// The real Linux machine's system services: host files, real processes, the
// monotonic clock, memory, storage, power. The desktop backend adds a display
// to them; without one (the launcher on a console) message boxes go to
// standard error and answer as if closed.

#include "platform/Backend.h"
#include "platform/host/HostShell.h"

namespace platform {

class HostBackend : public Backend {
public:
    HostBackend();

    std::unique_ptr<FileStream> OpenForReading(std::u16string_view path) override;
    std::optional<std::u16string> ProgramPath() override;
    bool ShellExecute(ShellExecuteInfo& info) override { return shell_.Execute(info); }
    bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode) override { return shell_.ExitCode(process, exitCode); }
    bool TerminateProcess(ProcessHandle process, uint32_t exitCode) override { return shell_.Terminate(process, exitCode); }
    bool CloseHandle(ProcessHandle process) override { return shell_.Close(process); }
    uint32_t TickCount() override;
    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override;
    MemoryStatus QueryMemory() override;
    bool QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total) override;
    bool HasLibraryExport(std::u16string_view library, std::string_view name) override;
    bool QueryPowerStatus(SystemPowerStatusEx2& status) override;
    SystemTime LocalTime() override;
    LocaleData const& UserLocale() override;
    // Without a display there is nobody to type to and no notification area.
    void SynthesizeKey(uint8_t, uint32_t) override { }
    bool NotifyIcon(uint32_t, NotifyIconData const&) override { return false; }
    Rect Screen() const override { return {}; }
    Rect WorkArea() const override { return {}; }
    int32_t CaptionHeight() const override { return 20; }
    bool WaitForEvents(std::optional<uint32_t> deadline) override;

private:
    HostShell shell_;
};

}
