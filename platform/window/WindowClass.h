#pragma once

#include "platform/Types.h"

#include <string>

namespace platform {

using WindowProcedure = LResult (*)(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);

struct WindowClass {
    std::u16string name;
    uint32_t style = 0;
    WindowProcedure procedure = nullptr;
    // Per-window storage in bytes; each 4-byte cell holds a pointer-sized value,
    // so a window can keep a pointer to its state in 4 bytes on any host.
    int32_t windowExtraBytes = 0;
    // What the default procedure erases the background with; none leaves it.
    BrushHandle backgroundBrush;
};

// What the creation message carries in its second parameter.
struct CreateParameters {
    void* parameter = nullptr;
    InstanceHandle instance;
    WindowHandle parent;
    Rect rect;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::u16string_view title;
    std::u16string_view className;
};

}
