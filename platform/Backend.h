#pragma once

// A backend is a composition of four narrow roles (platform/roles/):
//   SystemServices  files, processes and the shell, clock, time, locale,
//                   memory, storage, power, libraries;
//   Screen          screen and work area, caption height, waiting for events,
//                   showing the windows' pictures, input into the window system;
//   KeysAndTray     synthesised keys, system-wide key grabs, key state,
//                   notification icons;
//   Dialogs         message boxes.
// The window system, the graphics tables, icon resources and the library
// table are portable and shared: they live here. Adding a backend is a matter
// of writing its roles and a class deriving from Backend that owns them:
//   desktop     host services + X11 screen, keys and tray + our own box
//               windows as dialogs (platform/x11/X11Backend.h);
//   simulated   simulated services, virtual screen and tray, trace
//               (platform/headless/HeadlessDevice.h);
//   console     host services + no screen, boxes to standard error
//               (platform/host/ConsoleBackend.h).
// The programs reach the installed backend only through the role headers
// (platform/File.h, Windowing.h, ...), never through this one.

#include "platform/draw/Surface.h"
#include "platform/roles/Dialogs.h"
#include "platform/roles/KeysAndTray.h"
#include "platform/roles/Screen.h"
#include "platform/roles/SystemServices.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class Graphics;
class WindowSystem;

class Backend {
public:
    virtual ~Backend();
    Backend(Backend const&) = delete;
    Backend& operator=(Backend const&) = delete;

    virtual SystemServices& Services() = 0;
    virtual platform::Screen& Screen() = 0;
    virtual KeysAndTray& Keys() = 0;
    virtual platform::Dialogs& Dialogs() = 0;

    WindowSystem& Windows() { return *windows_; }
    // The program's icon pictures by resource number.
    std::map<int32_t, Surface>& IconResources() { return icons_; }
    // Names of the loaded platform libraries by handle; empty once freed.
    std::vector<std::u16string>& Libraries() { return libraries_; }
    platform::Graphics& Graphics() { return *graphics_; }

protected:
    // The roles are the derived class's members: the window system asks for
    // them only once the backend is built, and never while it is torn down.
    Backend();

private:
    std::unique_ptr<WindowSystem> windows_;
    std::vector<std::u16string> libraries_;
    std::map<int32_t, Surface> icons_;
    // Its device contexts draw into the windows' pictures: it goes first.
    std::unique_ptr<platform::Graphics> graphics_;
};

// The backend that the calls of this thread reach.
Backend& CurrentBackend();

// Installs a backend for its lifetime, restoring the previous one after.
class ScopedBackend {
public:
    explicit ScopedBackend(Backend& backend);
    ~ScopedBackend();
    ScopedBackend(ScopedBackend const&) = delete;
    ScopedBackend& operator=(ScopedBackend const&) = delete;

private:
    Backend* previous_;
};

}
