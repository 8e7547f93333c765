#pragma once

#include "platform/Types.h"

namespace panel {

// Shared by every panel window: creation reads the layout and draws the back
// buffer; paint copies from it; timers refresh and animate; pen input goes
// to the objects; close requests and layout switches end with an animation.
platform::LResult PanelWindowProcedure(platform::WindowHandle window, uint32_t message, platform::WParam wParam,
    platform::LParam lParam);

}
