#pragma once

// The daemon's one icon in the taskbar's notification area.

#include "platform/Types.h"

#include <cstdint>

namespace brellum {

void AddTrayIcon(platform::WindowHandle window, int32_t icon);
void ChangeTrayIcon(platform::WindowHandle window, int32_t icon);
void RemoveTrayIcon(platform::WindowHandle window);

}
