#include "platform/headless/VirtualKeysAndTray.h"

#include "platform/Keys.h"
#include "platform/window/Messages.h"

#include <algorithm>

namespace platform {

void VirtualKeysAndTray::SynthesizeKey(uint8_t virtualKey, uint32_t flags)
{
    trace_.SynthesizedKey(virtualKey, flags);
    windows_.Key(virtualKey, !(flags & kKeyEventKeyUp));
}

// Every call is recorded, with the icon it names unless it deletes.
bool VirtualKeysAndTray::NotifyIcon(uint32_t message, NotifyIconData const& data)
{
    IconHandle named = (data.flags & Tray::HasIcon) ? data.icon : IconHandle {};
    bool ok = false;
    switch (message) {
    case Tray::Add:
        ok = Add(data);
        trace_.Tray("add", named, ok);
        break;
    case Tray::Modify:
        ok = Modify(data);
        trace_.Tray("modify", named, ok);
        break;
    case Tray::Delete:
        ok = Delete(data);
        trace_.Tray("delete", {}, ok);
        break;
    default:
        return false;
    }
    return ok;
}

std::vector<VirtualKeysAndTray::TrayIcon>::iterator VirtualKeysAndTray::Find(NotifyIconData const& data)
{
    return std::find_if(icons_.begin(), icons_.end(),
        [&](TrayIcon const& icon) { return icon.window == data.window && icon.id == data.id; });
}

bool VirtualKeysAndTray::Add(NotifyIconData const& data)
{
    if (Find(data) != icons_.end() || !windows_.IsWindow(data.window))
        return false;
    icons_.push_back({ data.window, data.id, (data.flags & Tray::HasMessage) ? data.callbackMessage : 0,
        (data.flags & Tray::HasIcon) ? data.icon : IconHandle {} });
    return true;
}

bool VirtualKeysAndTray::Modify(NotifyIconData const& data)
{
    auto found = Find(data);
    if (found == icons_.end())
        return false;
    if (data.flags & Tray::HasIcon)
        found->icon = data.icon;
    if (data.flags & Tray::HasMessage)
        found->callbackMessage = data.callbackMessage;
    return true;
}

bool VirtualKeysAndTray::Delete(NotifyIconData const& data)
{
    auto found = Find(data);
    if (found == icons_.end())
        return false;
    icons_.erase(found);
    return true;
}

void VirtualKeysAndTray::TrayClick()
{
    if (icons_.empty())
        return;
    TrayIcon const& icon = icons_.front();
    windows_.PostMessage(icon.window, icon.callbackMessage, icon.id, Msg::LeftButtonDown);
}

}
