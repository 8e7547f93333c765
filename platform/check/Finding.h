#pragma once

// What a check of a program's files found: a message box the program would
// show, or a warning of something it would take without a word.

#include "platform/SourcePlace.h"

#include <optional>
#include <string>

namespace platform {

struct Finding {
    enum class Kind { Error, Warning };
    Kind kind = Kind::Error;
    // None when it is about no file.
    std::optional<SourcePlace> place;
    // Errors only: the box's caption.
    std::u16string caption;
    std::u16string text;
};

}
