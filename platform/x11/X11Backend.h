#pragma once

// The real Linux desktop: the host's system services, the X server as screen,
// keys and tray, and our own box windows for message boxes. Start at Open();
// the roles are in X11Screen, X11KeysAndTray and X11Dialogs.

#include "platform/Backend.h"
#include "platform/host/HostServices.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Dialogs.h"
#include "platform/x11/X11KeysAndTray.h"
#include "platform/x11/X11Screen.h"
#include "platform/x11/X11Tray.h"

#include <memory>
#include <string>

namespace platform {

class X11Backend final : public Backend {
public:
    // Null, with the reason in `error`, when there is no display to use.
    static std::unique_ptr<X11Backend> Open(std::string& error);

    SystemServices& Services() override { return services_; }
    platform::Screen& Screen() override { return screen_; }
    KeysAndTray& Keys() override { return keys_; }
    platform::Dialogs& Dialogs() override { return dialogs_; }

    // The programs' files are watched for changes from now on (--watch).
    bool StartWatchingFiles(std::string& error) { return screen_.StartWatchingFiles(error); }

private:
    explicit X11Backend(std::unique_ptr<X11Connection> connection);

    // In this order: the views and the tray icons are X windows of the connection.
    std::unique_ptr<X11Connection> connection_;
    HostServices services_ { &dialogs_ }; // keeps only the address until a start fails
    X11Tray tray_;
    X11Screen screen_;
    X11KeysAndTray keys_;
    X11Dialogs dialogs_;
};

}
