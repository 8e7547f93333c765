#pragma once

// A check of a program's files: its check entry reads them through the given
// services with nothing shown, and every finding is printed as one line,
//   FILE:LINE: error: CAPTION TEXT -- EXPLANATION
//   FILE:LINE: warning: TEXT
// with FILE as the user would type it.

#include "platform/roles/SystemServices.h"
#include "programs/ProgramEntry.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace check {

// One finding as the user reads it.
struct Reported {
    bool warning = false;
    // As the user would type it; none when the finding is about no file.
    std::optional<std::string> file;
    uint32_t line = 0;
    // Errors only: the box's caption and the English word on it.
    std::string caption;
    std::string text;
    std::string explanation;
};

// Every finding of the check, in the order found.
std::vector<Reported> FindingsOf(platform::SystemServices& services, bool (*hasKey)(uint32_t), CheckEntry check,
    std::u16string_view commandLine);

// 0 when nothing was found, 1 when anything was; the lines are added to `report`.
// `hasKey`: the keys of the keyboard the files are meant for.
int CheckFiles(platform::SystemServices& services, bool (*hasKey)(uint32_t), CheckEntry check, std::u16string_view commandLine,
    std::string_view programName, std::string& report);

// The same, written to `out`. Inline: a program that does not use streams
// does not carry them.
inline int CheckFiles(platform::SystemServices& services, bool (*hasKey)(uint32_t), CheckEntry check,
    std::u16string_view commandLine, std::string_view programName, std::ostream& out)
{
    std::string report;
    int status = CheckFiles(services, hasKey, check, commandLine, programName, report);
    out << report;
    out.flush();
    return status;
}

}
