#pragma once

// The simulated screen as a picture: the desktop colour, then every visible
// window from its own picture, bottom of the z-order first. Message boxes and
// the tray are not drawn.

#include "platform/draw/Surface.h"
#include "platform/window/WindowSystem.h"

#include <string>

namespace platform {

constexpr uint32_t kDesktopPixel = 0x3A6EA5;

Surface ComposeScreen(WindowSystem const& windows, Rect screen);

// An 8-bit RGB PNG; false when the file cannot be written.
bool WritePng(Surface const& picture, std::string const& path);

}
