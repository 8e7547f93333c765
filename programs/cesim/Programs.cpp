#include "programs/cesim/Programs.h"

#include "daemon/BrellumMain.h"
#include "launcher/RunStartupList.h"
#include "panel/core/PanelEntry.h"

namespace cesim {

ProgramEntry FindProgram(std::string const& name)
{
    if (name == "talvok")
        return launcher::TalvokMain;
    if (name == "vessarine")
        return panel::VessarineMain;
    if (name == "brellum")
        return brellum::BrellumMain;
    return nullptr;
}

}
