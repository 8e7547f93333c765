// How a press of a bound key is timed and what it turns into: a tap handed
// back to the focused application, a short press or a long press.

#include "daemon/BindingSet.h"

#include "daemon/DaemonMessages.h"
#include "platform/Keys.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/Windowing.h"

namespace brellum {

using namespace platform;

LResult BindingSet::OnKeyPressed(WParam id, LParam info)
{
    KeyBinding* binding = ServedBinding(id);
    if (binding && WParam(HighWord(uintptr_t(info))) == id && !binding->isDown) {
        binding->downTick = GetTickCount();
        binding->isDown = true;
        SetTimer(stateWindow_, id, times_.checkInterval);
    }
    return 0;
}

LResult BindingSet::OnPressTimer(WParam id)
{
    KeyBinding* binding = ServedBinding(id);
    if (!binding || !binding->isDown)
        return 0;
    uint32_t held = GetTickCount() - binding->downTick;
    if (GetAsyncKeyState(uint32_t(binding->keyCode)) & kKeyIsDown) {
        if (held < times_.elapseTimeLong || binding->hasFired)
            return 0;
        if (RunBindingCommand(*binding, Slot::Long))
            FinishPress(*binding);
        return 0;
    }
    KillTimer(stateWindow_, id);
    if (!binding->hasFired) {
        bool isTap = held < times_.elapseTimeLong && held < times_.elapseTime;
        if (isTap) {
            HandBackTap(*binding);
        } else {
            Slot slot = held >= times_.elapseTimeLong ? Slot::Long : Slot::Short;
            if (!RunBindingCommand(*binding, slot) || !FinishPress(*binding))
                return 0;
        }
    }
    binding->ClearPress();
    return 0;
}

void BindingSet::HandBackTap(KeyBinding& binding)
{
    // Keys let go meanwhile by "D" stay unregistered.
    bool registered = keysRegistered_;
    if (registered)
        UnregisterHotKey(stateWindow_, binding.keyCode);
    uint8_t key = uint8_t(binding.keyCode & 0xFF);
    KeybdEvent(key, 0, kKeyEventSilent, 0);
    KeybdEvent(key, 0, kKeyEventKeyUp, 0);
    if (registered)
        RegisterKey(binding.keyCode);
}

bool BindingSet::RunBindingCommand(KeyBinding& binding, Slot slot)
{
    binding.hasFired = true;
    ProcessHandle& process = binding.ProcessOf(slot);
    if (process) {
        uint32_t exitCode = 0;
        if (GetExitCodeProcess(process, exitCode) && exitCode == kStillActive) {
            if (!queryTermination_)
                return true;
            uint32_t generation = generation_;
            EnterBusy();
            BoxResult answer = MessageBox({}, u"Der Prozess läuft schon.\nSoll er terminiert werden?", u"Terminieren?",
                Box::YesNo | Box::IconWarning | Box::SetForeground | Box::TopMost);
            if (!LeaveBusy())
                return false;
            // Another key may have loaded a new file while the question was open.
            if (generation != generation_)
                return false;
            if (answer == BoxResult::Yes && process) {
                TerminateProcess(process, 0);
                CloseHandle(process);
                process = {};
            }
            return true;
        }
        CloseHandle(process);
        process = {};
    }
    auto const& command = binding.CommandOf(slot);
    if (!command)
        return true;
    ShellExecuteInfo info;
    info.mask = kExecuteReturnProcess;
    info.verb = u"Open";
    info.file = command->c_str();
    info.show = kShow;
    ShellExecute(info);
    process = info.process;
    return true;
}

bool BindingSet::FinishPress(KeyBinding& binding)
{
    if (binding.disableAfter)
        Deactivate();
    if (!binding.newIni)
        return true;
    // Loading frees this binding; keep the path while it is read.
    std::u16string path = *binding.newIni;
    EnterBusy();
    bool loaded = LoadBindingFile(path);
    if (!LeaveBusy())
        return false;
    if (loaded)
        RegisterKeys();
    else
        PostState(State::Inactive, 0);
    return false;
}

}
