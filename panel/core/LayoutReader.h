#pragma once

// Reads a layout file into a window's settings and objects: one object per
// section in file order, key lines to their object, then every object
// prepared and placed.

#include "panel/core/GlobalSettings.h"

#include <string_view>

namespace panel {

// False when the file cannot be read (already reported); the settings are then
// unchanged. `window` is the panel the buttons belong to.
bool ReadLayoutFile(GlobalSettings& settings, std::u16string_view path, platform::WindowHandle window);

}
