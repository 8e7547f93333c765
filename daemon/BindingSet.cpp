#include "daemon/BindingSet.h"

#include "daemon/DaemonMessages.h"
#include "platform/Keys.h"
#include "platform/Windowing.h"

namespace brellum {

using namespace platform;

BindingSet::BindingSet(WindowHandle stateWindow, uint32_t stateMessage)
    : stateMessage_(stateMessage)
    , stateWindow_(stateWindow)
{
}

BindingSet::~BindingSet()
{
    ReleaseBindings();
}

std::unique_ptr<BindingSet> CreateBindingSet(WindowHandle window, InstanceHandle, uint32_t stateMessage,
    std::u16string_view commandLine)
{
    auto set = std::make_unique<BindingSet>(window, stateMessage);
    // The window can be closed while a message about the file is open.
    if (!set->LocateBindingFile(commandLine) || !IsWindow(window))
        return nullptr;
    set->RegisterKeys();
    return set;
}

void DestroyBindingSet(std::unique_ptr<BindingSet>& set)
{
    if (set)
        set.release()->DestroyWhenIdle();
}

void BindingSet::DestroyWhenIdle()
{
    if (busy_ == 0) {
        delete this;
        return;
    }
    // Let the keys go at once; the bindings may still be in use below us.
    UnregisterKeys();
    destroyWhenIdle_ = true;
}

bool BindingSet::LeaveBusy()
{
    --busy_;
    if (!destroyWhenIdle_)
        return true;
    if (busy_ == 0)
        delete this;
    return false;
}

bool BindingSet::IsServed(size_t index) const
{
    int32_t keyCode = bindings_[index]->keyCode;
    if (keyCode < 1 || keyCode > 255)
        return false;
    for (size_t earlier = 0; earlier < index; ++earlier) {
        if (bindings_[earlier]->keyCode == keyCode)
            return false;
    }
    return true;
}

// The first binding of a key is the one served; it is looked up on every tick.
KeyBinding* BindingSet::ServedBinding(WParam id)
{
    if (id < 1 || id > 255)
        return nullptr;
    for (auto const& binding : bindings_) {
        if (WParam(binding->keyCode) == id)
            return binding.get();
    }
    return nullptr;
}

void BindingSet::RegisterKey(int32_t keyCode)
{
    // A key another program holds simply never notifies us.
    RegisterHotKey(stateWindow_, keyCode, 0, uint32_t(keyCode));
}

void BindingSet::RegisterKeys()
{
    keysRegistered_ = true;
    for (size_t i = 0; i < bindings_.size(); ++i) {
        if (IsServed(i))
            RegisterKey(bindings_[i]->keyCode);
    }
}

void BindingSet::UnregisterKeys()
{
    if (!keysRegistered_)
        return;
    keysRegistered_ = false;
    for (size_t i = 0; i < bindings_.size(); ++i) {
        if (IsServed(i))
            UnregisterHotKey(stateWindow_, bindings_[i]->keyCode);
    }
}

void BindingSet::Deactivate()
{
    if (!disabled_) {
        disabled_ = true;
        UnregisterKeys();
    }
    PostState(State::Inactive, 0);
}

void BindingSet::Activate()
{
    if (disabled_) {
        disabled_ = false;
        RegisterKeys();
    }
    PostState(State::Active, 0);
}

void BindingSet::ReleaseBindings()
{
    ++generation_;
    for (size_t i = 0; i < bindings_.size(); ++i) {
        KeyBinding const& binding = *bindings_[i];
        if (!IsServed(i))
            continue;
        if (keysRegistered_)
            UnregisterHotKey(stateWindow_, binding.keyCode);
        if (binding.isDown)
            KillTimer(stateWindow_, uintptr_t(binding.keyCode));
    }
    keysRegistered_ = false;
    bindings_.clear();
}

void BindingSet::PostState(WParam state, LParam count)
{
    PostMessage(stateWindow_, stateMessage_, state, count);
}

}
