#pragma once

// `PROGRAM --check [FILE]`: what the program would read at start-up, read from
// the real file system with nothing shown, one line printed per finding.

#include "programs/ProgramEntry.h"

#include <string_view>

namespace desktop {

// 0 when nothing was found, 1 when anything was.
int RunCheck(char const* programName, CheckEntry check, std::u16string_view commandLine);

}
