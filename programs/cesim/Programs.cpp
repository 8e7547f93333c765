#include "programs/cesim/Programs.h"

#include "daemon/BrellumMain.h"
#include "launcher/RunStartupList.h"
#include "panel/core/PanelEntry.h"

namespace cesim {

static int32_t Talvok(std::u16string_view commandLine)
{
    launcher::RunStartupList(commandLine);
    return 0;
}

ProgramEntry FindProgram(std::string const& name)
{
    if (name == "talvok")
        return Talvok;
    if (name == "vessarine")
        return panel::VessarineMain;
    if (name == "brellum")
        return brellum::BrellumMain;
    return nullptr;
}

}
