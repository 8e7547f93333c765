#pragma once

// What a SETTINGS section of the daemon's file sets: the press timing and
// whether a press asks before it ends a program still running.

#include "config/KeyTable.h"

#include <cstdint>

namespace brellum {

// The fields of the binding set being loaded.
struct SettingsSection {
    uint32_t& checkInterval;
    uint32_t& elapseTime;
    uint32_t& elapseTimeLong;
    bool& queryTermination;
};

// CheckIntervall, ElapseTimeLong, ElapseTime, QueryTermination; bad values
// and unknown keys go under "Settings".
config::KeyTable<SettingsSection> const& SettingsKeys();

}
