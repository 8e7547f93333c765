#include "programs/cesim/Programs.h"

#include "daemon/BrellumMain.h"
#include "daemon/DaemonCheck.h"
#include "launcher/LauncherCheck.h"
#include "launcher/RunStartupList.h"
#include "panel/core/PanelCheck.h"
#include "panel/core/PanelEntry.h"

namespace cesim {

namespace {

constexpr Program kPrograms[] = {
    { "vessarine", panel::VessarineMain, panel::CheckVessarineFiles, u"\\Vessarine.exe" },
    { "brellum", brellum::BrellumMain, brellum::CheckBrellumFiles, u"\\Brellum.exe" },
    { "talvok", launcher::TalvokMain, launcher::CheckTalvokFiles, u"\\Talvok.exe" },
};

}

Program const* FindProgram(std::string_view name)
{
    for (Program const& program : kPrograms) {
        if (program.name == name)
            return &program;
    }
    return nullptr;
}

std::string ProgramNames()
{
    std::string names;
    for (size_t i = 0; i < std::size(kPrograms); ++i) {
        if (i > 0)
            names += i + 1 == std::size(kPrograms) ? " or " : ", ";
        names += kPrograms[i].name;
    }
    return names;
}

}
