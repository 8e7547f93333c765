#pragma once

// What each program's command line takes: the one file it names, how the
// program reads that name, and the text `--help` prints.

#include <string_view>

namespace desktop {

struct ProgramUsage {
    // How mistakes name the file, e.g. "settings file".
    std::string_view fileRole;
    // The launcher removes every double quote from its command-line text.
    bool quotesRemoved = false;
    // It takes --watch: a program with windows that stays running.
    bool watches = false;
    std::string_view help;
    // The reference pages --help names after it, one "  FILE  what" a line.
    std::string_view reference;
};

extern ProgramUsage const kPanelUsage;
extern ProgramUsage const kDaemonUsage;
extern ProgramUsage const kLauncherUsage;

}
