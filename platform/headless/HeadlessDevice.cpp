#include "platform/headless/HeadlessDevice.h"

#include "platform/Keys.h"
#include "platform/headless/ScreenPicture.h"
#include "platform/locale/CivilTime.h"
#include "platform/locale/LocaleData.h"
#include "platform/window/Messages.h"
#include "platform/host/HostFileStream.h"

#include <cstdio>

#include <algorithm>
#include <utility>
#include <vector>

namespace platform {

HeadlessDevice::HeadlessDevice(DeviceSettings settings)
    : settings_(std::move(settings))
    , root_(settings_.root)
    , shell_(root_, trace_)
{
    Windows().SetEvents(this);
}

HeadlessDevice::~HeadlessDevice()
{
    Windows().SetEvents(nullptr);
}

std::unique_ptr<FileStream> HeadlessDevice::OpenForReading(std::u16string_view path)
{
    auto host = root_.HostPath(path);
    if (!host)
        return nullptr;
    return HostFileStream::Open(*host);
}

std::optional<std::u16string> HeadlessDevice::ProgramPath()
{
    if (settings_.exe.empty())
        return std::nullopt;
    return settings_.exe;
}

bool HeadlessDevice::ShellExecute(ShellExecuteInfo& info)
{
    return shell_.Execute(info, now_);
}

bool HeadlessDevice::GetExitCodeProcess(ProcessHandle process, uint32_t& exitCode)
{
    return shell_.ExitCode(process, exitCode);
}

bool HeadlessDevice::TerminateProcess(ProcessHandle process, uint32_t exitCode)
{
    return shell_.Terminate(process, exitCode, now_);
}

bool HeadlessDevice::CloseHandle(ProcessHandle process)
{
    return shell_.Close(process);
}

uint32_t HeadlessDevice::TickCount()
{
    return settings_.tick + uint32_t(now_);
}

static char const* IconName(uint32_t flags)
{
    switch (flags & Box::IconMask) {
    case Box::IconError: return "error";
    case Box::IconQuestion: return "question";
    case Box::IconWarning: return "warning";
    case Box::IconInformation: return "information";
    default: return "none";
    }
}

static char const* ButtonsName(uint32_t flags)
{
    switch (flags & Box::ButtonMask) {
    case Box::OkCancel: return "okcancel";
    case Box::AbortRetryIgnore: return "abortretryignore";
    case Box::YesNoCancel: return "yesnocancel";
    case Box::YesNo: return "yesno";
    case Box::RetryCancel: return "retrycancel";
    default: return "ok";
    }
}

static char const* AnswerName(BoxAnswer answer)
{
    static constexpr char const* kNames[] = { "ok", "cancel", "abort", "retry", "ignore", "yes", "no" };
    return kNames[int(answer)];
}

BoxResult HeadlessDevice::MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    uint32_t buttons = flags & Box::ButtonMask;
    BoxAnswer answer = (buttons == Box::YesNo || buttons == Box::YesNoCancel) ? BoxAnswer::No : BoxAnswer::Ok;
    if (trace_.Closed())
        return BoxResult(int(answer) + 1);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    trace_.Add(now_, "msgbox")
        .Text("caption", caption)
        .Text("text", text)
        .Ascii("icon", IconName(flags))
        .Ascii("buttons", ButtonsName(flags))
        .Flag("owner", bool(owner))
        .Flag("foreground", (flags & Box::SetForeground) != 0)
        .Flag("topmost", (flags & Box::TopMost) != 0)
        .Ascii("answer", AnswerName(answer));
    if (boxTime_ > 0)
        Windows().RunModalLoop(TickCount() + boxTime_);
    return BoxResult(int(answer) + 1);
}

static uint32_t Clamp32(uint64_t value)
{
    return value > UINT32_MAX ? UINT32_MAX : uint32_t(value);
}

MemoryStatus HeadlessDevice::QueryMemory()
{
    MemoryState const& memory = state_.memory;
    MemoryStatus status;
    status.totalPhysical = Clamp32(memory.totalPhysical);
    status.availablePhysical = Clamp32(memory.availablePhysical);
    status.totalPageFile = 0;
    status.availablePageFile = 0;
    status.totalVirtual = Clamp32(memory.totalVirtual);
    status.availableVirtual = Clamp32(memory.availableVirtual);
    if (memory.totalPhysical > 0 && memory.availablePhysical <= memory.totalPhysical)
        status.memoryLoad = uint32_t(100 - memory.availablePhysical * 100 / memory.totalPhysical);
    return status;
}

// Folder names compare without regard to case, whole names at a time.
static bool IsWithin(std::u16string_view folder, std::u16string_view outer)
{
    auto parts = [](std::u16string_view path) {
        std::vector<std::u16string> names;
        std::u16string name;
        for (char16_t c : path) {
            if (c == u'\\' || c == u'/') {
                if (!name.empty())
                    names.push_back(std::exchange(name, {}));
                continue;
            }
            name.push_back(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
        }
        if (!name.empty())
            names.push_back(name);
        return names;
    };
    auto inner = parts(folder);
    auto prefix = parts(outer);
    return prefix.size() <= inner.size() && std::equal(prefix.begin(), prefix.end(), inner.begin());
}

bool HeadlessDevice::QueryDiskFreeSpace(std::u16string_view folder, uint64_t& available, uint64_t& total)
{
    for (auto rule = state_.disks.rbegin(); rule != state_.disks.rend(); ++rule) {
        if (!IsWithin(folder, rule->folder))
            continue;
        if (rule->fails)
            return false;
        available = rule->available;
        total = rule->total;
        return true;
    }
    if (!root_.FolderExists(folder))
        return false;
    available = 536870912;
    total = 1073741824;
    return true;
}

bool HeadlessDevice::HasLibraryExport(std::u16string_view library, std::string_view name)
{
    std::u16string lower(library);
    for (char16_t& c : lower)
        c = c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    if ((lower != u"coredll.dll" && lower != u"coredll") || state_.power.libraryAbsent)
        return false;
    return name.empty() || (name == "GetSystemPowerStatusEx2" && !state_.power.callAbsent);
}

bool HeadlessDevice::QueryPowerStatus(SystemPowerStatusEx2& status)
{
    PowerState const& power = state_.power;
    if (power.queryFails)
        return false;
    status = {};
    status.ACLineStatus = uint8_t(power.ACLineStatus);
    status.BatteryFlag = uint8_t(power.BatteryFlag);
    status.BatteryLifePercent = uint8_t(power.BatteryLifePercent);
    status.BatteryLifeTime = uint32_t(power.BatteryLifeTime);
    status.BatteryFullLifeTime = uint32_t(power.BatteryFullLifeTime);
    status.BackupBatteryFlag = uint8_t(power.BackupBatteryFlag);
    status.BackupBatteryLifePercent = uint8_t(power.BackupBatteryLifePercent);
    status.BackupBatteryLifeTime = uint32_t(power.BackupBatteryLifeTime);
    status.BackupBatteryFullLifeTime = uint32_t(power.BackupBatteryFullLifeTime);
    status.BatteryVoltage = uint32_t(power.BatteryVoltage);
    status.BatteryCurrent = uint32_t(power.BatteryCurrent);
    status.BatteryTemperature = uint32_t(power.BatteryTemperature);
    status.BackupBatteryVoltage = uint32_t(power.BackupBatteryVoltage);
    return true;
}

SystemTime HeadlessDevice::LocalTime()
{
    ClockStart const& clock = settings_.clock;
    SystemTime start;
    start.year = uint16_t(clock.year);
    start.month = uint16_t(clock.month);
    start.day = uint16_t(clock.day);
    start.hour = uint16_t(clock.hour);
    start.minute = uint16_t(clock.minute);
    start.second = uint16_t(clock.second);
    return AddMilliseconds(start, now_);
}

LocaleData const& HeadlessDevice::UserLocale()
{
    LocaleData const* locale = LocaleNamed(settings_.locale);
    return locale ? *locale : *LocaleNamed("de-DE");
}

void HeadlessDevice::SynthesizeKey(uint8_t virtualKey, uint32_t flags)
{
    trace_.Add(now_, "keybd").Number("vk", virtualKey).Number("flags", flags);
    Windows().Key(virtualKey, !(flags & kKeyEventKeyUp));
}

bool HeadlessDevice::NotifyIcon(uint32_t message, NotifyIconData const& data)
{
    auto found = std::find_if(tray_.begin(), tray_.end(),
        [&](TrayIcon const& icon) { return icon.window == data.window && icon.id == data.id; });
    bool ok = false;
    char const* action = "delete";
    if (message == Tray::Add) {
        action = "add";
        ok = found == tray_.end() && Windows().IsWindow(data.window);
        if (ok) {
            tray_.push_back({ data.window, data.id, (data.flags & Tray::HasMessage) ? data.callbackMessage : 0,
                (data.flags & Tray::HasIcon) ? data.icon : IconHandle {} });
        }
    } else if (message == Tray::Modify) {
        action = "modify";
        ok = found != tray_.end();
        if (ok && (data.flags & Tray::HasIcon))
            found->icon = data.icon;
        if (ok && (data.flags & Tray::HasMessage))
            found->callbackMessage = data.callbackMessage;
    } else if (message == Tray::Delete) {
        ok = found != tray_.end();
        if (ok)
            tray_.erase(found);
    } else {
        return false;
    }
    auto event = trace_.Add(now_, "tray");
    event.Ascii("action", action);
    if (message == Tray::Delete || !(data.flags & Tray::HasIcon) || !data.icon)
        event.Null("icon");
    else
        event.Number("icon", data.icon.value);
    event.Flag("ok", ok);
    return ok;
}

void HeadlessDevice::TrayClick()
{
    if (tray_.empty())
        return;
    TrayIcon const& icon = tray_.front();
    Windows().PostMessage(icon.window, icon.callbackMessage, icon.id, Msg::LeftButtonDown);
}

void HeadlessDevice::HotKeyChanged(bool registered, int32_t id, uint32_t virtualKey, bool ok)
{
    trace_.Add(now_, "hotkey")
        .Ascii("action", registered ? "register" : "unregister")
        .Number("id", id)
        .Number("vk", virtualKey)
        .Flag("ok", ok);
}

Rect HeadlessDevice::Screen() const
{
    return { 0, 0, settings_.screenWidth, settings_.screenHeight };
}

Rect HeadlessDevice::WorkArea() const
{
    return { 0, 0, settings_.screenWidth, std::max(settings_.screenHeight - kTaskbarHeight, 0) };
}

void HeadlessDevice::Schedule(uint64_t at, std::function<void()> action)
{
    auto later = std::upper_bound(script_.begin(), script_.end(), at, [](uint64_t t, Scheduled const& s) { return t < s.at; });
    script_.insert(later, { at, std::move(action) });
}

bool HeadlessDevice::WaitForEvents(std::optional<uint32_t> deadline)
{
    if (trace_.Closed())
        return false;
    std::optional<uint64_t> target;
    if (deadline) {
        auto ahead = int32_t(*deadline - TickCount());
        target = now_ + uint64_t(std::max(ahead, 0));
    }
    if (!script_.empty() && (!target || script_.front().at < *target))
        target = std::max(script_.front().at, now_);
    if (!target || *target > settings_.until) {
        if (target)
            now_ = settings_.until;
        EndRun();
        return false;
    }
    now_ = *target;
    while (!script_.empty() && script_.front().at <= now_) {
        auto action = std::move(script_.front().action);
        script_.pop_front();
        action();
    }
    return true;
}

void HeadlessDevice::EndRun()
{
    trace_.Add(now_, "end");
    CloseRun();
}

void HeadlessDevice::CloseRun()
{
    trace_.Close();
    if (!endShot_.empty())
        WriteShot(endShot_);
}

bool HeadlessDevice::WriteShot(std::string const& path)
{
    if (WritePng(ComposeScreen(Windows(), Screen()), path))
        return true;
    std::fprintf(stderr, "cesim: cannot write the picture '%s'\n", path.c_str());
    return false;
}

void HeadlessDevice::TraceStart(std::string_view program, std::u16string_view commandLine)
{
    trace_.Add(now_, "start").Ascii("program", program).Text("cmdline", commandLine);
}

void HeadlessDevice::TraceExit(int32_t exitCode)
{
    trace_.Add(now_, "exit").Number("code", exitCode);
    CloseRun();
}

void HeadlessDevice::WindowAction(Window const& window, std::string_view action)
{
    trace_.Add(now_, "window").Ascii("action", action).Number("id", window.handle.value);
}

void HeadlessDevice::Created(Window const& window)
{
    trace_.Add(now_, "window")
        .Ascii("action", "create")
        .Number("id", window.handle.value)
        .Text("class", window.windowClass->name)
        .Text("title", window.title)
        .Number("x", window.rect.left)
        .Number("y", window.rect.top)
        .Number("w", window.rect.Width())
        .Number("h", window.rect.Height());
}

void HeadlessDevice::Moved(Window const& window)
{
    trace_.Add(now_, "window")
        .Ascii("action", "move")
        .Number("id", window.handle.value)
        .Number("x", window.rect.left)
        .Number("y", window.rect.top)
        .Number("w", window.rect.Width())
        .Number("h", window.rect.Height());
}

void HeadlessDevice::Shown(Window const& window) { WindowAction(window, "show"); }
void HeadlessDevice::Hidden(Window const& window) { WindowAction(window, "hide"); }
void HeadlessDevice::BecameTopMost(Window const& window) { WindowAction(window, "topmost"); }
void HeadlessDevice::Destroyed(Window const& window) { WindowAction(window, "destroy"); }

void HeadlessDevice::TitleChanged(Window const& window)
{
    trace_.Add(now_, "window").Ascii("action", "title").Number("id", window.handle.value).Text("title", window.title);
}

}
