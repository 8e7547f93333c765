#pragma once

// One entry of the window table.

#include "platform/Types.h"
#include "platform/draw/Surface.h"
#include "platform/window/WindowClass.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

struct Window {
    WindowHandle handle;
    WindowClass const* windowClass = nullptr;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::u16string title;
    Rect rect; // on the screen
    bool visible = false;
    bool topMost = false;
    bool destroying = false;
    std::vector<intptr_t> extra;
    // What the window shows, the size of its rectangle; white until painted.
    Surface picture;
    // The part of the client area that waits for a paint message.
    std::optional<Rect> invalid;
    bool eraseDue = false;

    bool HasCaption() const;
};

}
