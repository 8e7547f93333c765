#include "programs/desktop/CheckRun.h"

#include "platform/host/HostServices.h"
#include "platform/x11/X11KeyMap.h"
#include "programs/check/FileCheck.h"

#include <cstdio>
#include <string>

namespace desktop {

int RunCheck(char const* programName, CheckEntry check, std::u16string_view commandLine)
{
    // Not std::cout: the program would carry the standard streams and set them up at every start.
    platform::HostServices services;
    std::string report;
    int status = check::CheckFiles(services, platform::HasKeySymFor, check, commandLine, programName, report);
    std::fwrite(report.data(), 1, report.size(), stdout);
    std::fflush(stdout);
    return status;
}

}
