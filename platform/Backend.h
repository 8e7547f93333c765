#pragma once

// What a backend supplies: how time passes and how a loop waits, where input
// comes from, and the system services (files, processes, boxes). The window
// system itself is portable and lives in the core; each backend owns one.
// A program reaches the installed backend only through the role headers.

#include "platform/FileStream.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/SystemStatus.h"
#include "platform/Tray.h"
#include "platform/Types.h"
#include "platform/draw/Surface.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Graphics;
class WindowSystem;
struct LocaleData;

class Backend {
public:
    Backend();
    virtual ~Backend();
    Backend(Backend const&) = delete;
    Backend& operator=(Backend const&) = delete;

    // Files.
    virtual std::unique_ptr<FileStream> OpenForReading(std::u16string_view path) = 0;
    virtual std::optional<std::u16string> ProgramPath() = 0;

    // Shell and processes.
    virtual bool ShellExecute(ShellExecuteInfo& info) = 0;
    virtual bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode) = 0;
    virtual bool TerminateProcess(ProcessHandle process, uint32_t exitCode) = 0;
    virtual bool CloseHandle(ProcessHandle process) = 0;

    // System.
    virtual uint32_t TickCount() = 0;
    virtual BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) = 0;

    // System state.
    virtual MemoryStatus QueryMemory() = 0;
    virtual bool QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total) = 0;
    // Whether the platform library `library` exists and, for a non-empty `name`, exports it.
    virtual bool HasLibraryExport(std::u16string_view library, std::string_view name) = 0;
    virtual bool QueryPowerStatus(SystemPowerStatusEx2& status) = 0;
    virtual SystemTime LocalTime() = 0;
    virtual LocaleData const& UserLocale() = 0;

    // Keys and the notification area.
    virtual void SynthesizeKey(uint8_t virtualKey, uint32_t flags) = 0;
    // Takes a key system-wide (or gives it back); false when another program has it.
    virtual bool GrabKey(uint32_t /*virtualKey*/, uint32_t /*modifiers*/, bool /*grab*/) { return true; }
    // Whether the key is down now, as the keyboard itself reports it.
    virtual bool KeyIsDown(uint32_t virtualKey);
    virtual bool NotifyIcon(uint32_t message, NotifyIconData const& data) = 0;

    // The screen and the part of it that windows may use.
    virtual Rect Screen() const = 0;
    virtual Rect WorkArea() const = 0;
    virtual int32_t CaptionHeight() const = 0;

    // Blocks until input arrives, a timer is due or the tick `deadline` comes,
    // and hands the input to the window system. False: the run is over and no
    // more will ever come (the loop then ends as if asked to quit).
    virtual bool WaitForEvents(std::optional<uint32_t> deadline) = 0;

    WindowSystem& Windows() { return *windows_; }
    // The program's icon pictures by resource number.
    std::map<int32_t, Surface>& IconResources() { return icons_; }
    // Names of the loaded platform libraries by handle; empty once freed.
    std::vector<std::u16string>& Libraries() { return libraries_; }
    platform::Graphics& Graphics() { return *graphics_; }

private:
    std::unique_ptr<WindowSystem> windows_;
    std::vector<std::u16string> libraries_;
    std::map<int32_t, Surface> icons_;
    // Its device contexts draw into the windows' pictures: it goes first.
    std::unique_ptr<platform::Graphics> graphics_;
};

// The backend that the calls of this thread reach.
Backend& CurrentBackend();

// Installs a backend for its lifetime, restoring the previous one after.
class ScopedBackend {
public:
    explicit ScopedBackend(Backend& backend);
    ~ScopedBackend();
    ScopedBackend(ScopedBackend const&) = delete;
    ScopedBackend& operator=(ScopedBackend const&) = delete;

private:
    Backend* previous_;
};

}
