#include "programs/desktop/CheckRun.h"

#include "platform/host/HostServices.h"
#include "platform/x11/X11KeyMap.h"
#include "programs/check/FileCheck.h"

#include <iostream>

namespace desktop {

int RunCheck(char const* programName, CheckEntry check, std::u16string_view commandLine)
{
    platform::HostServices services;
    return check::CheckFiles(services, platform::HasKeySymFor, check, commandLine, programName, std::cout);
}

}
