#pragma once

// Reads a layout file into a window's settings and objects: one object per
// section in file order, key lines to their object, then every object
// prepared and placed.

#include "panel/core/GlobalSettings.h"

#include <string_view>

namespace panel {

// True when the file cannot be read (already reported); the settings are then unchanged.
bool ReadLayoutFile(GlobalSettings& settings, std::u16string_view path);

}
