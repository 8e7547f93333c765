#include "programs/desktop/CheckRun.h"

#include <cstdio>

namespace desktop {

int RunCheck(char const* programName, CheckEntry check, std::u16string_view commandLine)
{
    (void)check;
    (void)commandLine;
    std::fprintf(stderr, "%s: --check is not built yet\n", programName);
    return 2;
}

}
