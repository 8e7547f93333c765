#pragma once

// The daemon's configuration as its file gives it: the bindings in file
// order, the press times and whether a running program is asked about.

#include "daemon/KeyBinding.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brellum {

// The section keywords of the binding file.
inline constexpr std::u16string_view kBindingKeyword = u"BRELLUM";
inline constexpr std::u16string_view kSettingsKeyword = u"SETTINGS";

class BindingSet {
public:
    // What a SETTINGS section sets: how often a held key is looked at, from
    // when on a press is short or long (ms), and whether a press asks before
    // it ends a program still running.
    struct SettingsSection {
        uint32_t checkInterval = 100;
        uint32_t elapseTime = 1000;
        uint32_t elapseTimeLong = 2000;
        bool queryTermination = true;

        // CheckIntervall, ElapseTimeLong, ElapseTime, QueryTermination; bad
        // values and unknown keys go under "Settings".
        static config::KeyTable<SettingsSection> const& Keys();
    };

    // The file named by the command line, or "Brellum.ini" beside the program.
    bool LocateBindingFile(std::u16string_view commandLine);
    // Always replaces the configuration, even when the file cannot be read.
    bool LoadBindingFile(std::u16string_view path);

    uint32_t Count() const { return uint32_t(bindings_.size()); }
    SettingsSection const& Settings() const { return settings_; }
    // The file it was read from (or that could not be read), and the line
    // of its last SETTINGS section (0: none).
    std::u16string const& Path() const { return path_; }
    uint32_t SettingsLine() const { return settingsLine_; }
    std::vector<std::unique_ptr<KeyBinding>> const& Bindings() const { return bindings_; }

    // A binding takes part in registration and timing only when its key is
    // a real key (1-255) and no earlier binding already took that key.
    bool IsServed(size_t index) const;
    // Where the served binding of a key stands; looked up on every tick.
    std::optional<size_t> ServedIndex(platform::WParam id) const;

private:
    friend class BindingFileReader;

    std::vector<std::unique_ptr<KeyBinding>> bindings_;
    SettingsSection settings_;
    std::u16string path_;
    uint32_t settingsLine_ = 0;
};

}
