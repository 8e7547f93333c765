#pragma once

// The window procedure shared by every panel window, and what a panel window
// is created with. Read the procedure from its switch at the end of the
// source: each message goes to a small handler above it.

#include "platform/Types.h"

namespace panel {

class PanelProgram;

// The creation parameter of a panel window.
struct PanelCreation {
    char16_t const* layoutPath;
    PanelProgram& program;
};

// Creation reads the layout and draws the back buffer; paint copies from it;
// timers refresh and animate; pen input goes to the objects; close requests
// and layout switches end with an animation.
platform::LResult PanelWindowProcedure(platform::WindowHandle window, uint32_t message, platform::WParam wParam,
    platform::LParam lParam);

}
