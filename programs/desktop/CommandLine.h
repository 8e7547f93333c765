#pragma once

// The words a Linux shell hands a program of the suite: its options, then at
// most one file. `--` ends the options; a lone `-` is a file name. An option
// with a value takes it as the next word or after '='.

#include "programs/desktop/ProgramUsage.h"

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
    // --watch: reload what the program read when it changes on disk.
    bool watch = false;
    // For Action::Mistake: what was wrong, in a few words.
    std::string mistake {};
};

// The usage names the file in a mistake and says whether --watch is known.
CommandLineRequest ReadCommandLine(std::span<char* const> words, ProgramUsage const& usage);

}
