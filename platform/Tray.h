#pragma once

// The taskbar's notification area: one small icon per (window, id) whose
// clicks come back to the window as its callback message.

#include "platform/Types.h"
#include "platform/draw/Surface.h"

namespace platform {

using IconHandle = Handle<struct IconTag>;

namespace Tray {
constexpr uint32_t Add = 0;
constexpr uint32_t Modify = 1;
constexpr uint32_t Delete = 2;
constexpr uint32_t HasMessage = 0x1;
constexpr uint32_t HasIcon = 0x2;
constexpr uint32_t HasTip = 0x4;
}

struct NotifyIconData {
    uint32_t size = 152;
    WindowHandle window;
    uint32_t id = 0;
    uint32_t flags = 0;
    uint32_t callbackMessage = 0;
    IconHandle icon;
    char16_t tip[64] = {};
};

bool ShellNotifyIcon(uint32_t message, NotifyIconData const& data);

// A program carries its icons as pictures by resource number; loading one
// gives a handle that names that number. None for an unknown number.
void AddIconResource(int32_t resource, Surface picture);
IconHandle LoadIcon(InstanceHandle instance, int32_t resource);
Surface const* IconPicture(IconHandle icon);

}
