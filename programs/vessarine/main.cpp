// Vessarine on the Linux desktop: the panel's windows as real windows.

#include "panel/core/PanelCheck.h"
#include "panel/core/PanelEntry.h"
#include "programs/desktop/DesktopMain.h"

int main(int argc, char** argv)
{
    return desktop::RunOnDesktop({ .name = "vessarine",
                                     .entry = panel::VessarineMain,
                                     .check = panel::CheckVessarineFiles,
                                     .needs = desktop::Needs::Display,
                                     .usage = desktop::kPanelUsage },
        argc, argv);
}
