#pragma once

// The daemon's keys at run time: which are registered, which are down since
// when and whether their press has fired, and the processes each binding's
// slots started. It holds the loaded bindings, which a NewIni replaces.

#include "daemon/BindingSet.h"
#include "daemon/KeyPress.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace brellum {

class PressTracker {
public:
    // Timers, registrations and state messages go to `window`.
    PressTracker(platform::WindowHandle window, uint32_t stateMessage);
    PressTracker(PressTracker const&) = delete;
    PressTracker& operator=(PressTracker const&) = delete;
    // Lets go of the keys; the started programs keep running.
    ~PressTracker();

    // The file named by the command line, or "Brellum.ini" beside the program;
    // false when it could not be read.
    bool LoadFirstFile(std::u16string_view commandLine);

    void RegisterKeys();
    void UnregisterKeys();
    void Activate();
    void Deactivate();
    // Drops registrations, timers and presses, and the bindings with them.
    void ReleaseBindings();
    // The binding file in use changed on disk (--watch): it is loaded again
    // as a NewIni to it would load it. When it no longer reads, its message
    // has been shown and the bindings in use stay, with their presses and
    // the programs they started.
    void ReloadFile();

    platform::LResult OnKeyPressed(platform::WParam id, platform::LParam info);
    platform::LResult OnPressTimer(platform::WParam id);

    bool Disabled() const { return disabled_; }
    BindingSet const& Bindings() const { return *bindings_; }
    KeyPress const& PressOf(size_t index) const { return presses_.at(index); }

private:
    void Install(std::shared_ptr<BindingSet const> bindings);
    // What follows a NewIni's load: the new bindings in use, active, their
    // keys registered when the file was read.
    void TakeLoaded(std::shared_ptr<BindingSet const> bindings, bool loaded);
    void LetGoOfKeys();
    void RegisterKey(int32_t keyCode);
    void HandBackTap(int32_t keyCode);

    // Each returns false when the press's binding is gone afterwards: a new
    // file replaced it (this press's NewIni, or another key's while a message
    // box was open), or the window closed while a box was open. Nothing of
    // the tracker may be touched then.
    bool RunBindingCommand(KeyBinding const& binding, KeyPress& press, Slot slot);
    bool AskToTerminate(platform::ProcessHandle& process);
    bool FinishPress(KeyBinding const& binding);

    void PostState(platform::WParam state, platform::LParam count);

    platform::WindowHandle window_;
    uint32_t stateMessage_;
    // Held only here, so that a weak reference taken before a message box
    // tells afterwards whether the bindings are still the ones in use.
    std::shared_ptr<BindingSet const> bindings_;
    // One for every binding, in the same order.
    std::vector<KeyPress> presses_;
    bool disabled_ = false;
    // Registered keys are dropped only once, whatever the order of events.
    bool keysRegistered_ = false;
};

}
