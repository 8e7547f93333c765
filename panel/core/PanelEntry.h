#pragma once

// The panel program: it reads its settings file, opens one panel window per
// layout file it lists, runs the message loop and returns the exit code the
// closing window asked for. Start reading here, at VessarineMain; each
// window's life goes on in PanelWindowProcedure.

#include "platform/Types.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panel {

int32_t VessarineMain(std::u16string_view commandLine);

bool RegisterPanelClass();
void ShowPanel(platform::WindowHandle window);

// One run of the panel: the windows it has open, in creation order. Every
// panel window it opens can reach it, to open the next layout or to close
// itself; what is still open when it goes is destroyed with it.
class PanelProgram {
public:
    PanelProgram() = default;
    ~PanelProgram();
    PanelProgram(PanelProgram const&) = delete;
    PanelProgram& operator=(PanelProgram const&) = delete;

    // Reads the settings file and opens a window per layout line; the
    // windows opened, or none when the file could not be read.
    std::optional<std::vector<platform::WindowHandle>> ReadSettingsFile(std::u16string_view commandLine);
    // A hidden panel window for the layout file, appended to the window list.
    platform::WindowHandle CreateLayoutWindow(std::u16string_view layoutPath);
    void RemoveAndDestroyWindow(platform::WindowHandle window);
    // The settings file changed on disk (--watch): the windows it lists now
    // replace all open ones, each as a layout switch without animation
    // would. When it no longer reads, or no window of it opens, its
    // messages have been shown and the open windows stay.
    void ReloadSettings();
    std::vector<platform::WindowHandle> const& Windows() const { return windows_; }
    // Shows the windows opened so far and runs the message loop; 1 when none opened.
    int32_t Run();

private:
    // The settings file, and the layouts it names that could not be read,
    // are watched for the first window of the list, whichever that is.
    void WatchSettings();
    void ReplaceWindowsFromSettings();

    std::vector<platform::WindowHandle> windows_;
    std::u16string settingsName_;
    std::vector<std::u16string> settingsFiles_;
    platform::WindowHandle settingsWatcher_;
    // A change that comes while the file's boxes are open is taken after them.
    bool reloadingSettings_ = false;
    bool settingsChangedMeanwhile_ = false;
};

}
