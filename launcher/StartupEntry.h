#pragma once

// One value of the RUN section: a program ending in ".exe", optional
// arguments and, after a comma, options. "hide" among the options starts the
// program minimised. Single quotes in the arguments stand for double quotes,
// so that a value can carry 'text with blanks' as one argument.

#include <optional>
#include <string>
#include <string_view>

namespace launcher {

struct StartupEntry {
    std::u16string program;
    std::u16string arguments;
    bool hide = false;
};

// None when the value has no ".exe" (in any case) after its first character.
std::optional<StartupEntry> ParseStartupEntry(std::u16string_view value);

}
