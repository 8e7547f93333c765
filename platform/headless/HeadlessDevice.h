#pragma once

// The simulated handheld: a virtual clock that jumps from one due event to the
// next, a virtual screen, scripted input and system state, and a trace of
// every side effect. Tests and cesim run the programs on it.

#include "platform/Backend.h"
#include "platform/headless/DeviceRoot.h"
#include "platform/headless/DeviceState.h"
#include "platform/headless/SimulatedShell.h"
#include "platform/headless/Trace.h"
#include "platform/window/WindowSystem.h"

#include <deque>
#include <functional>
#include <string>

namespace platform {

struct ClockStart {
    int32_t year = 2026, month = 1, day = 15, hour = 9, minute = 30, second = 0;
};

struct DeviceSettings {
    std::string root = ".";
    std::u16string exe;
    int32_t screenWidth = 480;
    int32_t screenHeight = 272;
    uint32_t tick = 0;
    ClockStart clock;
    std::string locale = "de-DE";
    uint64_t until = 3600000;
};

// Message-box buttons as the trace names them.
enum class BoxAnswer { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

class HeadlessDevice final : public Backend, private WindowEvents {
public:
    explicit HeadlessDevice(DeviceSettings settings);
    ~HeadlessDevice() override;

    // Backend.
    std::unique_ptr<FileStream> OpenForReading(std::u16string_view path) override;
    std::optional<std::u16string> ProgramPath() override;
    bool ShellExecute(ShellExecuteInfo& info) override;
    bool GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode) override;
    bool TerminateProcess(ProcessHandle process, uint32_t exitCode) override;
    bool CloseHandle(ProcessHandle process) override;
    uint32_t TickCount() override;
    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override;
    MemoryStatus QueryMemory() override;
    bool QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total) override;
    bool HasLibraryExport(std::u16string_view library, std::string_view name) override;
    bool QueryPowerStatus(SystemPowerStatusEx2& status) override;
    SystemTime LocalTime() override;
    LocaleData const& UserLocale() override;
    void SynthesizeKey(uint8_t virtualKey, uint32_t flags) override;
    bool NotifyIcon(uint32_t message, NotifyIconData const& data) override;
    Rect Screen() const override;
    Rect WorkArea() const override;
    int32_t CaptionHeight() const override { return kCaptionHeight; }
    bool WaitForEvents(std::optional<uint32_t> deadline) override;

    // Virtual milliseconds since the start of the run.
    uint64_t Now() const { return now_; }
    Trace& GetTrace() { return trace_; }
    DeviceSettings const& Settings() const { return settings_; }
    DeviceState& State() { return state_; }
    SimulatedShell& Shell() { return shell_; }

    // The script: actions at their virtual times, in order.
    void Schedule(uint64_t at, std::function<void()> action);
    void QueueAnswer(BoxAnswer answer) { answers_.push_back(answer); }
    void SetBoxTime(uint32_t milliseconds) { boxTime_ = milliseconds; }
    // The left button goes down on the tray icon; without an icon it meets nothing.
    void TrayClick();

    // The run's first and last lines.
    void TraceStart(std::string_view program, std::u16string_view commandLine);
    void TraceExit(int32_t exitCode);
    // A picture of the screen, written as the run ends (before the program
    // tears down its windows when it is stopped by the end of the run).
    void ShootAtEnd(std::string path) { endShot_ = std::move(path); }
    bool WriteShot(std::string const& path);
    bool RunEnded() const { return trace_.Closed(); }

    static constexpr int32_t kTaskbarHeight = 26;
    static constexpr int32_t kCaptionHeight = 20;

private:
    // WindowEvents.
    void Created(Window const&) override;
    void Moved(Window const&) override;
    void Shown(Window const&) override;
    void Hidden(Window const&) override;
    void BecameTopMost(Window const&) override;
    void TitleChanged(Window const&) override;
    void Destroyed(Window const&) override;
    void HotKeyChanged(bool registered, int32_t id, uint32_t virtualKey, bool ok) override;
    void WindowAction(Window const& window, std::string_view action);
    void EndRun();
    // The trace's last line is written: the picture of the end, if asked for.
    void CloseRun();

    DeviceSettings settings_;
    DeviceRoot root_;
    Trace trace_;
    SimulatedShell shell_;
    DeviceState state_;
    uint64_t now_ = 0;

    struct Scheduled {
        uint64_t at;
        std::function<void()> action;
    };
    std::deque<Scheduled> script_;
    std::deque<BoxAnswer> answers_;
    uint32_t boxTime_ = 0;
    std::string endShot_;

    struct TrayIcon {
        WindowHandle window;
        uint32_t id = 0;
        uint32_t callbackMessage = 0;
        IconHandle icon;
    };
    std::vector<TrayIcon> tray_;
};

}
