#pragma once

// The panel program: it reads its settings file, opens one panel window per
// layout file it lists, runs the message loop and returns the exit code the
// closing window asked for. Start reading here, at VessarineMain; each
// window's life goes on in PanelWindowProcedure.

#include "platform/Types.h"

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

    // Reads the settings file and opens a window per layout line.
    void ReadSettingsFile(std::u16string_view commandLine);
    // A hidden panel window for the layout file, appended to the window list.
    platform::WindowHandle CreateLayoutWindow(std::u16string_view layoutPath);
    void RemoveAndDestroyWindow(platform::WindowHandle window);
    std::vector<platform::WindowHandle> const& Windows() const { return windows_; }
    // Shows the windows opened so far and runs the message loop; 1 when none opened.
    int32_t Run();

private:
    std::vector<platform::WindowHandle> windows_;
};

}
