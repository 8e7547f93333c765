// Talvok on the Linux desktop: starts the programs of its RUN list and ends.
// It needs no display; where there is one, its messages are real boxes.

#include "launcher/LauncherCheck.h"
#include "launcher/RunStartupList.h"
#include "programs/desktop/DesktopMain.h"

int main(int argc, char** argv)
{
    return desktop::RunOnDesktop({ .name = "talvok",
                                     .entry = launcher::TalvokMain,
                                     .check = launcher::CheckTalvokFiles,
                                     .needs = desktop::Needs::Nothing,
                                     .usage = desktop::kLauncherUsage },
        argc, argv);
}
