#pragma once

// The role of a backend that answers for the machine itself: its files, the
// program's own path, processes and the shell, the tick clock, local time and
// locale, memory, storage, power and the platform libraries.

#include "platform/FileStream.h"
#include "platform/Shell.h"
#include "platform/SystemStatus.h"
#include "platform/locale/PictureFormat.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct LocaleData;

class SystemServices {
public:
    virtual ~SystemServices() = default;

    // Files.
    virtual std::unique_ptr<FileStream> OpenForReading(std::u16string_view path) = 0;
    virtual std::optional<std::u16string> ProgramPath() = 0;
    // A path as the user would type it to reach the file.
    virtual std::u16string UserPath(std::u16string_view path) { return std::u16string(path); }

    // Shell and processes.
    virtual bool ShellExecute(ShellExecuteInfo& info) = 0;
    // Whether ShellExecute would find something to start or open for `file`.
    virtual bool CanExecute(std::u16string_view file) = 0;
    virtual bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode) = 0;
    virtual bool TerminateProcess(ProcessHandle process, uint32_t exitCode) = 0;
    virtual bool CloseHandle(ProcessHandle process) = 0;

    // Time: milliseconds of the tick clock, and the wall clock with its locale.
    virtual uint32_t TickCount() = 0;
    virtual SystemTime LocalTime() = 0;
    virtual LocaleData const& UserLocale() = 0;
    // A time or date by a picture (none: the locale's own) in the user's locale,
    // where the system formats it itself; none: it is formatted by UserLocale().
    virtual std::optional<std::u16string> FormatForUser(
        PictureKind kind, SystemTime const& time, std::optional<std::u16string_view> picture)
    {
        (void)kind;
        (void)time;
        (void)picture;
        return std::nullopt;
    }

    // The machine's state.
    virtual MemoryStatus QueryMemory() = 0;
    virtual bool QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total) = 0;
    virtual bool QueryPowerStatus(SystemPowerStatusEx2& status) = 0;
    // Whether the platform library `library` exists and, for a non-empty `name`, exports it.
    virtual bool HasLibraryExport(std::u16string_view library, std::string_view name) = 0;
};

}
