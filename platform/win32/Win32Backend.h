#pragma once

// The real Windows desktop: the system's services, its windows as our
// screen, hot keys and the notification area, and its own message boxes.

#include "platform/Backend.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32KeysAndTray.h"
#include "platform/win32/Win32Screen.h"
#include "platform/win32/Win32Services.h"

namespace platform {

class Win32Backend final : public Backend {
public:
    Win32Backend();

    SystemServices& Services() override { return services_; }
    platform::Screen& Screen() override { return screen_; }
    KeysAndTray& Keys() override { return keys_; }
    platform::Dialogs& Dialogs() override { return dialogs_; }

private:
    Win32Services services_;
    Win32Screen screen_;
    Win32KeysAndTray keys_;
    Win32Dialogs dialogs_;
};

}
