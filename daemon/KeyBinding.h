#pragma once

// One bound key as its file describes it: the key, the commands of its two
// slots and what follows them.

#include "config/KeyTable.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace brellum {

enum class Slot { Short = 0, Long = 1 };

struct KeyBinding {
    int32_t keyCode = 0;
    bool disableAfter = false;
    std::optional<std::u16string> command;
    std::optional<std::u16string> commandLong;
    std::optional<std::u16string> newIni;
    // Where the binding's section begins in its file.
    uint32_t sectionLine = 0;

    std::optional<std::u16string> const& CommandOf(Slot slot) const { return slot == Slot::Short ? command : commandLong; }

    // KeyCode, CommandLong, Command, NewIni, Disable; bad values and unknown keys go under "Brellum".
    static config::KeyTable<KeyBinding> const& Keys();
    // One key line of a BRELLUM section; false when it was not taken.
    bool ReadValue(std::u16string_view line, bool report);
};

}
