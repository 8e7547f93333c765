#pragma once

// A run on the Linux machine without a display (the launcher on a console):
// the host's services, no screen, keys or tray, message boxes on standard
// error.

#include "platform/Backend.h"
#include "platform/console/ConsoleRoles.h"
#include "platform/host/HostServices.h"

namespace platform {

class ConsoleBackend final : public Backend {
public:
    SystemServices& Services() override { return services_; }
    platform::Screen& Screen() override { return screen_; }
    KeysAndTray& Keys() override { return keys_; }
    platform::Dialogs& Dialogs() override { return dialogs_; }

private:
    HostServices services_;
    NoScreen screen_ { services_ };
    NoKeysAndTray keys_ { Windows() };
    StandardErrorDialogs dialogs_;
};

}
