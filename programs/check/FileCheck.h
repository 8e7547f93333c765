#pragma once

// A check of a program's files: its check entry reads them through the given
// services with nothing shown, and every finding is printed as one line,
//   FILE:LINE: error: CAPTION TEXT -- EXPLANATION
//   FILE:LINE: warning: TEXT
// with FILE as the user would type it.

#include "platform/roles/SystemServices.h"
#include "programs/ProgramEntry.h"

#include <ostream>
#include <string_view>

namespace check {

// 0 when nothing was found, 1 when anything was.
// `hasKey`: the keys of the keyboard the files are meant for.
int CheckFiles(platform::SystemServices& services, bool (*hasKey)(uint32_t), CheckEntry check, std::u16string_view commandLine,
    std::string_view programName, std::ostream& out);

}
