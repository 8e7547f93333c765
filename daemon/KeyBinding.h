#pragma once

// One bound key: its commands, what follows them, the state of its current
// press and the processes its two command slots started.

#include "config/KeyTable.h"
#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace brellum {

enum class Slot { Short = 0, Long = 1 };

struct KeyBinding {
    KeyBinding() = default;
    KeyBinding(KeyBinding const&) = delete;
    KeyBinding& operator=(KeyBinding const&) = delete;
    // Closes both process handles; the processes keep running.
    ~KeyBinding();

    int32_t keyCode = 0;
    bool isDown = false;
    bool hasFired = false;
    bool disableAfter = false;
    uint32_t downTick = 0;
    std::optional<std::u16string> command;
    std::optional<std::u16string> commandLong;
    std::optional<std::u16string> newIni;
    platform::ProcessHandle processShort;
    platform::ProcessHandle processLong;

    std::optional<std::u16string> const& CommandOf(Slot slot) const { return slot == Slot::Short ? command : commandLong; }
    platform::ProcessHandle& ProcessOf(Slot slot) { return slot == Slot::Short ? processShort : processLong; }
    void ClearPress();

    // KeyCode, CommandLong, Command, NewIni, Disable; bad values and unknown keys go under "Brellum".
    static config::KeyTable<KeyBinding> const& Keys();
    // One key line of a BRELLUM section; false when it was not taken.
    bool ReadValue(std::u16string_view line, bool report);
};

}
