// How a press of a bound key is timed and what it turns into: a tap handed
// back to the focused application, a short press or a long press.

#include "daemon/PressTracker.h"

#include "daemon/DaemonMessages.h"
#include "platform/Keys.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/Windowing.h"

namespace brellum {

using namespace platform;

namespace {

ProcessHandle StartCommand(std::optional<std::u16string> const& command)
{
    if (!command)
        return {};
    ShellExecuteInfo info;
    info.mask = kExecuteReturnProcess;
    info.verb = u"Open";
    info.file = command->c_str();
    info.show = kShow;
    ShellExecute(info);
    return info.process;
}

}

LResult PressTracker::OnKeyPressed(WParam id, LParam info)
{
    std::optional<size_t> index = bindings_->ServedIndex(id);
    if (!index || WParam(HighWord(uintptr_t(info))) != id)
        return 0;
    KeyPress& press = presses_[*index];
    if (!press.isDown) {
        press.downTick = GetTickCount();
        press.isDown = true;
        SetTimer(window_, id, bindings_->Settings().checkInterval);
    }
    return 0;
}

LResult PressTracker::OnPressTimer(WParam id)
{
    std::optional<size_t> index = bindings_->ServedIndex(id);
    if (!index || !presses_[*index].isDown)
        return 0;
    KeyBinding const& binding = *bindings_->Bindings()[*index];
    KeyPress& press = presses_[*index];
    // A copy: a NewIni started below replaces the bindings and their settings.
    BindingSet::SettingsSection const times = bindings_->Settings();
    uint32_t held = GetTickCount() - press.downTick;
    if (GetAsyncKeyState(uint32_t(binding.keyCode)) & kKeyIsDown) {
        if (held >= times.elapseTimeLong && !press.hasFired && RunBindingCommand(binding, press, Slot::Long))
            FinishPress(binding);
        return 0;
    }
    KillTimer(window_, id);
    if (!press.hasFired) {
        if (held < times.elapseTimeLong && held < times.elapseTime) {
            HandBackTap(binding.keyCode);
        } else {
            Slot slot = held >= times.elapseTimeLong ? Slot::Long : Slot::Short;
            if (!RunBindingCommand(binding, press, slot) || !FinishPress(binding))
                return 0;
        }
    }
    press.Clear();
    return 0;
}

void PressTracker::HandBackTap(int32_t keyCode)
{
    // Keys let go meanwhile by "D" stay unregistered.
    bool registered = keysRegistered_;
    if (registered)
        UnregisterHotKey(window_, keyCode);
    uint8_t key = uint8_t(keyCode & 0xFF);
    KeybdEvent(key, 0, kKeyEventSilent, 0);
    KeybdEvent(key, 0, kKeyEventKeyUp, 0);
    if (registered)
        RegisterKey(keyCode);
}

bool PressTracker::RunBindingCommand(KeyBinding const& binding, KeyPress& press, Slot slot)
{
    press.hasFired = true;
    ProcessHandle& process = press.ProcessOf(slot);
    if (process) {
        uint32_t exitCode = 0;
        if (GetExitCodeProcess(process, exitCode) && exitCode == kStillActive)
            return !bindings_->Settings().queryTermination || AskToTerminate(process);
        CloseHandle(process);
        process = {};
    }
    process = StartCommand(binding.CommandOf(slot));
    return true;
}

bool PressTracker::AskToTerminate(ProcessHandle& process)
{
    std::weak_ptr<BindingSet const> inUse = bindings_;
    BoxResult answer = MessageBox({}, u"Der Prozess läuft schon.\nSoll er terminiert werden?", u"Terminieren?",
        Box::YesNo | Box::IconWarning | Box::SetForeground | Box::TopMost);
    if (inUse.expired())
        return false;
    if (answer == BoxResult::Yes && process) {
        TerminateProcess(process, 0);
        CloseHandle(process);
        process = {};
    }
    return true;
}

bool PressTracker::FinishPress(KeyBinding const& binding)
{
    if (binding.disableAfter)
        Deactivate();
    if (!binding.newIni)
        return true;
    // Releasing frees this binding; keep the path while the file is read.
    std::u16string path = *binding.newIni;
    ReleaseBindings();
    disabled_ = false;
    std::weak_ptr<BindingSet const> inUse = bindings_;
    auto next = std::make_shared<BindingSet>();
    bool loaded = next->LoadBindingFile(path);
    // The file's messages can let the window close meanwhile.
    if (!inUse.expired())
        TakeLoaded(std::move(next), loaded);
    return false;
}

}
