#pragma once

// The whole key-binding configuration and the daemon's run state: which keys
// are registered, how every press is timed, what it starts.

#include "daemon/KeyBinding.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace brellum {

struct BindingTimes {
    uint32_t checkInterval = 100;
    uint32_t elapseTime = 1000;
    uint32_t elapseTimeLong = 2000;
};

class BindingSet {
public:
    BindingSet(platform::WindowHandle stateWindow, uint32_t stateMessage);
    BindingSet(BindingSet const&) = delete;
    BindingSet& operator=(BindingSet const&) = delete;
    ~BindingSet();

    // The file named by the command line, or "Brellum.ini" beside the program.
    bool LocateBindingFile(std::u16string_view commandLine);
    // Always replaces the configuration, even when the file cannot be read.
    bool LoadBindingFile(std::u16string_view path);

    void RegisterKeys();
    void UnregisterKeys();
    void Activate();
    void Deactivate();

    platform::LResult OnKeyPressed(platform::WParam id, platform::LParam info);
    platform::LResult OnPressTimer(platform::WParam id);

    // Drops registrations and timers and frees every binding.
    void ReleaseBindings();

    bool Disabled() const { return disabled_; }
    uint32_t Count() const { return uint32_t(bindings_.size()); }
    BindingTimes const& Times() const { return times_; }
    bool QueryTermination() const { return queryTermination_; }
    std::vector<std::unique_ptr<KeyBinding>> const& Bindings() const { return bindings_; }

    // Message boxes run nested message loops, so the window can be destroyed
    // while the set waits for one; it is then freed when the box has closed.
    void DestroyWhenIdle();

private:
    friend class BindingFileReader;

    // A binding takes part in registration and timing only when its key is
    // a real key (1-255) and no earlier binding already took that key.
    bool IsServed(size_t index) const;
    KeyBinding* ServedBinding(platform::WParam id);
    void RegisterKey(int32_t keyCode);
    void HandBackTap(KeyBinding& binding);

    // Both return false when the binding no longer exists afterwards.
    bool RunBindingCommand(KeyBinding& binding, Slot slot);
    bool FinishPress(KeyBinding& binding);

    // Around anything that can show a message box. LeaveBusy returns false
    // when the set has been freed meanwhile.
    void EnterBusy() { ++busy_; }
    bool LeaveBusy();

    void PostState(platform::WParam state, platform::LParam count);
    void ResetSettings();

    std::vector<std::unique_ptr<KeyBinding>> bindings_;
    BindingTimes times_;
    uint32_t stateMessage_;
    platform::WindowHandle stateWindow_;
    bool disabled_ = false;
    bool queryTermination_ = true;

    // Counts configuration replacements, so that code waiting for a message
    // box can tell whether its binding survived.
    uint32_t generation_ = 0;
    int busy_ = 0;
    // Registered keys are dropped only once, whatever the order of events.
    bool keysRegistered_ = false;
    bool destroyWhenIdle_ = false;
};

// Null when the file could not be loaded (its message has been shown).
std::unique_ptr<BindingSet> CreateBindingSet(platform::WindowHandle window, platform::InstanceHandle instance,
    uint32_t stateMessage, std::u16string_view commandLine);
void DestroyBindingSet(std::unique_ptr<BindingSet>& set);

}
