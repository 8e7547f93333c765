#include "programs/desktop/ProgramUsage.h"

namespace desktop {

ProgramUsage const kPanelUsage {
    .fileRole = "settings file",
    .watches = true,
    .help = R"(usage: vessarine [--watch] [--root DIR] [SETTINGS]
       vessarine --check [--root DIR] [SETTINGS]
Shows the information panel: one window for each layout file that the
settings file lists.

Options:
  --check      read every file the panel would read, start and show nothing,
               and print one line per mistake found (exit status 0: none,
               1: some); needs no display
  --watch      while designing: when a file the panel read changes (the
               settings file, a layout, a picture), the pages made from it
               are opened again, as a switch without animation opens a page;
               a file that no longer reads gives its message and the pages
               stay as they were
  --root DIR   the folder that the device's own paths lie below: a path
               beginning with a backslash (\Windows\pword.exe) names the
               same path below DIR; without it, below /
  --help       print this help and exit
  --version    print the version and exit
  --           end of the options (before a file name beginning with '-')

Files:
  SETTINGS     the settings file, VessarineSettings.ini beside the program
               when none is given; a name given here is taken from the
               current folder
  layouts      each line of the settings file names a layout file, taken
               from the settings file's folder (lines beginning with '#', ';'
               or '/' are comments)
  pictures     the bitmaps (.bmp) and icons (.ico) a layout file names, and
               the layout files its NewIni commands switch to, taken from the
               layout file's folder
  The settings and layout files are UTF-16 text with a byte-order mark.

Exit status: 2 for a mistake on the command line, a settings file that
cannot be opened, no display, or files that cannot be watched; 1 when no
window could be made or the display went away.
)",
    .reference = R"(  panel.md     layout files
  messages.md  the message boxes
  desktop.md   the desktop
)",
};

ProgramUsage const kDaemonUsage {
    .fileRole = "binding file",
    .watches = true,
    .help = R"(usage: brellum [--watch] [--root DIR] [BINDINGS]
       brellum --check [--root DIR] [BINDINGS]
Runs the key-binding daemon: a short or a long press of a bound key starts
the command bound to it. Its icon sits in the system tray.

Options:
  --check      read every file the daemon would read, start and show nothing,
               and print one line per mistake found (exit status 0: none,
               1: some); needs no display
  --watch      while designing: when the binding file in use changes, it
               is loaded again, as a NewIni to it would load it; a file that
               no longer reads gives its message and the bindings in use stay
  --root DIR   the folder that the device's own paths lie below: a path
               beginning with a backslash (\Windows\pword.exe) names the
               same path below DIR; without it, below /
  --help       print this help and exit
  --version    print the version and exit
  --           end of the options (before a file name beginning with '-')

Files:
  BINDINGS     the binding file, Brellum.ini beside the program when none is
               given; a name given here is taken from the current folder
  NewIni       the binding files that keys switch to, named in the binding
               file
  Binding files are UTF-16 text with a byte-order mark.

Exit status: 2 for a mistake on the command line, a binding file that cannot
be opened, no display, or files that cannot be watched; 1 when the display
went away.
)",
    .reference = R"(  daemon.md    binding files
  messages.md  the message boxes
  desktop.md   keys and tray on the desktop
)",
};

ProgramUsage const kLauncherUsage {
    .fileRole = "INI file",
    .quotesRemoved = true,
    .help = R"(usage: talvok [--root DIR] [INI]
       talvok --check [--root DIR] [INI]
Starts every program of the [RUN] section of its INI file, those marked
',hide' minimised, and ends without waiting for them.

Options:
  --check      read the INI file, start nothing, and print one line per
               mistake found (exit status 0: none, 1: some)
  --root DIR   the folder that the device's own paths lie below: a path
               beginning with a backslash (\Windows\pword.exe) names the
               same path below DIR; without it, below /
  --help       print this help and exit
  --version    print the version and exit
  --           end of the options (before a file name beginning with '-')

Files:
  INI          the INI file, 8-bit text, Talvok.ini beside the program when
               none is given; a name given here is taken from the current
               folder, and double quotes around it are removed

Talvok needs no display and shows no messages.
Exit status: 2 for a mistake on the command line or an INI file that cannot
be opened; 0 otherwise.
)",
    .reference = R"(  launcher.md  the INI file and its [RUN] section
  desktop.md   the desktop
)",
};

}
