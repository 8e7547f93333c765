// Talvok on the Linux desktop: starts the programs of its RUN list and ends.
// The words after the program name, joined by blanks, are its command-line text.

#include "launcher/RunStartupList.h"
#include "platform/Utf.h"
#include "platform/host/HostBackend.h"

int main(int argc, char** argv)
{
    std::u16string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += u' ';
        commandLine += platform::FromUtf8(argv[i]);
    }
    platform::HostBackend backend;
    platform::ScopedBackend installed(backend);
    launcher::RunStartupList(commandLine);
    return 0;
}
