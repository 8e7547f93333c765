// Brellum on the Linux desktop: bound keys grabbed system-wide, its icon in the tray.

#include "daemon/BrellumMain.h"
#include "daemon/DaemonCheck.h"
#include "programs/desktop/DesktopMain.h"

int main(int argc, char** argv)
{
    return desktop::RunOnDesktop({ .name = "brellum",
                                     .entry = brellum::BrellumMain,
                                     .check = brellum::CheckBrellumFiles,
                                     .needs = desktop::Needs::Display,
                                     .usage = desktop::kDaemonUsage },
        argc, argv);
}
