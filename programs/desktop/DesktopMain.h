#pragma once

// What every program of the suite does first on the Linux desktop: read its
// options, connect to the display (or say in one line why it cannot), join
// its words into the command-line text, and run.

#include "programs/ProgramEntry.h"
#include "programs/desktop/ProgramUsage.h"

namespace desktop {

enum class Needs { Display, Nothing };

struct DesktopProgram {
    char const* name;
    ProgramEntry entry;
    CheckEntry check;
    // Nothing: without a display the program runs on the host alone (its
    // boxes then go to standard error).
    Needs needs;
    ProgramUsage const& usage;
};

int RunOnDesktop(DesktopProgram const& program, int argc, char** argv);

}
