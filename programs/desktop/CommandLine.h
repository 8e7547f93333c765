#pragma once

// The words a Linux shell hands a program of the suite: its options, then at
// most one file. `--` ends the options; a lone `-` is a file name. An option
// with a value takes it as the next word or after '='.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace desktop {

enum class Action { Run, Check, Help, Version, Mistake };

struct CommandLineRequest {
    Action action = Action::Run;
    // The file as typed; none for the program's default.
    std::optional<std::string> file {};
    // --root: the folder the device's own paths (\X\Y) lie below.
    std::optional<std::string> root {};
    // For Action::Mistake: what was wrong, in a few words.
    std::string mistake {};
};

// `fileRole` names the file in a mistake, e.g. "settings file".
CommandLineRequest ReadCommandLine(std::span<char* const> words, std::string_view fileRole);

}
