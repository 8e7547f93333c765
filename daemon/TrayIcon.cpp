// Adding, changing and removing the daemon's one tray icon.

#include "daemon/TrayIcon.h"

#include "daemon/DaemonMessages.h"
#include "platform/Tray.h"

namespace brellum {

using namespace platform;

namespace {

constexpr uint32_t kTrayIconId = 1;

NotifyIconData Record(WindowHandle window, uint32_t flags, int32_t icon)
{
    NotifyIconData data;
    data.window = window;
    data.id = kTrayIconId;
    data.flags = flags;
    if (flags & Tray::HasIcon)
        data.icon = LoadIcon({}, icon);
    return data;
}

}

void AddTrayIcon(WindowHandle window, int32_t icon)
{
    NotifyIconData data = Record(window, Tray::HasMessage | Tray::HasIcon, icon);
    data.callbackMessage = TrayMessage;
    ShellNotifyIcon(Tray::Add, data);
}

void ChangeTrayIcon(WindowHandle window, int32_t icon)
{
    ShellNotifyIcon(Tray::Modify, Record(window, Tray::HasIcon, icon));
}

void RemoveTrayIcon(WindowHandle window)
{
    ShellNotifyIcon(Tray::Delete, Record(window, 0, 0));
}

}
