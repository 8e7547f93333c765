#pragma once

// What every program of the suite does first on the Linux desktop: connect to
// the display (or say in one line why it cannot), join its words into the
// command-line text, and run.

#include "programs/ProgramEntry.h"

namespace desktop {

enum class Needs { Display, Nothing };

// `needs` Nothing: without a display the program runs on the host alone
// (its boxes then go to standard error).
int RunOnDesktop(char const* programName, int argc, char** argv, ProgramEntry entry, Needs needs);

}
