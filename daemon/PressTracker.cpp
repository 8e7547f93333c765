// The tracker's bindings and the registration of their keys.

#include "daemon/PressTracker.h"

#include "daemon/DaemonMessages.h"
#include "platform/Keys.h"
#include "platform/Windowing.h"

namespace brellum {

using namespace platform;

PressTracker::PressTracker(WindowHandle window, uint32_t stateMessage)
    : window_(window)
    , stateMessage_(stateMessage)
    , bindings_(std::make_shared<BindingSet const>())
{
}

PressTracker::~PressTracker()
{
    LetGoOfKeys();
}

bool PressTracker::LoadFirstFile(std::u16string_view commandLine)
{
    auto bindings = std::make_shared<BindingSet>();
    bool loaded = bindings->LocateBindingFile(commandLine);
    Install(std::move(bindings));
    return loaded;
}

void PressTracker::Install(std::shared_ptr<BindingSet const> bindings)
{
    bindings_ = std::move(bindings);
    presses_ = std::vector<KeyPress>(bindings_->Count());
    PostState(State::Loaded, bindings_->Count());
}

void PressTracker::TakeLoaded(std::shared_ptr<BindingSet const> bindings, bool loaded)
{
    ReleaseBindings();
    disabled_ = false;
    Install(std::move(bindings));
    if (loaded)
        RegisterKeys();
    else
        PostState(State::Inactive, 0);
}

void PressTracker::ReloadFile()
{
    // Read before the bindings in use go: they stay if it no longer reads.
    std::weak_ptr<BindingSet const> inUse = bindings_;
    std::u16string const path = bindings_->Path();
    // None while a NewIni's file is being read: that file is read already.
    if (path.empty())
        return;
    auto next = std::make_shared<BindingSet>();
    bool loaded = next->LoadBindingFile(path);
    // Its messages can let the window close, or a NewIni replace the bindings, meanwhile.
    if (loaded && !inUse.expired())
        TakeLoaded(std::move(next), true);
}

void PressTracker::ReleaseBindings()
{
    LetGoOfKeys();
    bindings_ = std::make_shared<BindingSet const>();
    presses_.clear();
}

// The registrations of the served keys, and the timers of those held down.
void PressTracker::LetGoOfKeys()
{
    for (size_t i = 0; i < bindings_->Count(); ++i) {
        if (!bindings_->IsServed(i))
            continue;
        int32_t keyCode = bindings_->Bindings()[i]->keyCode;
        if (keysRegistered_)
            UnregisterHotKey(window_, keyCode);
        if (presses_[i].isDown)
            KillTimer(window_, uintptr_t(keyCode));
    }
    keysRegistered_ = false;
}

void PressTracker::RegisterKey(int32_t keyCode)
{
    // A key another program holds simply never notifies us.
    RegisterHotKey(window_, keyCode, 0, uint32_t(keyCode));
}

void PressTracker::RegisterKeys()
{
    keysRegistered_ = true;
    for (size_t i = 0; i < bindings_->Count(); ++i) {
        if (bindings_->IsServed(i))
            RegisterKey(bindings_->Bindings()[i]->keyCode);
    }
}

void PressTracker::UnregisterKeys()
{
    if (!keysRegistered_)
        return;
    keysRegistered_ = false;
    for (size_t i = 0; i < bindings_->Count(); ++i) {
        if (bindings_->IsServed(i))
            UnregisterHotKey(window_, bindings_->Bindings()[i]->keyCode);
    }
}

void PressTracker::Deactivate()
{
    if (!disabled_) {
        disabled_ = true;
        UnregisterKeys();
    }
    PostState(State::Inactive, 0);
}

void PressTracker::Activate()
{
    if (disabled_) {
        disabled_ = false;
        RegisterKeys();
    }
    PostState(State::Active, 0);
}

void PressTracker::PostState(WParam state, LParam count)
{
    PostMessage(window_, stateMessage_, state, count);
}

}
