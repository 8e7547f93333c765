#pragma once

// The panel program: it reads its settings file, opens one panel window per
// layout file it lists, runs the message loop and returns the exit code the
// closing window asked for. Start reading here.

#include "platform/Types.h"

#include <string_view>

namespace panel {

int32_t VessarineMain(std::u16string_view commandLine);

bool RegisterPanelClass();
// Reads the settings file and opens a window per layout line.
void ReadSettingsFile(std::u16string_view commandLine);
// A hidden panel window for the layout file, appended to the window list.
platform::WindowHandle CreateLayoutWindow(std::u16string_view layoutPath);
void ShowPanel(platform::WindowHandle window);
void RemoveAndDestroyWindow(platform::WindowHandle window);

}
