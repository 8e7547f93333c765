#include "platform/Backend.h"
#include "platform/Keys.h"
#include "platform/Tray.h"
#include "platform/window/WindowSystem.h"

namespace platform {

bool RegisterHotKey(WindowHandle window, int32_t id, uint32_t modifiers, uint32_t virtualKey)
{
    return CurrentBackend().Windows().RegisterHotKey(window, id, modifiers, virtualKey);
}

bool UnregisterHotKey(WindowHandle window, int32_t id)
{
    return CurrentBackend().Windows().UnregisterHotKey(window, id);
}

bool KeyExists(uint32_t virtualKey)
{
    return CurrentBackend().Keys().HasKey(virtualKey);
}

void KeybdEvent(uint8_t virtualKey, uint8_t, uint32_t flags, uintptr_t)
{
    CurrentBackend().Keys().SynthesizeKey(virtualKey, flags);
}

bool ShellNotifyIcon(uint32_t message, NotifyIconData const& data)
{
    return CurrentBackend().Keys().NotifyIcon(message, data);
}

void AddIconResource(int32_t resource, Surface picture)
{
    CurrentBackend().IconResources()[resource] = std::move(picture);
}

IconHandle LoadIcon(InstanceHandle, int32_t resource)
{
    auto& icons = CurrentBackend().IconResources();
    if (resource <= 0 || !icons.contains(resource))
        return {};
    return IconHandle { uint32_t(resource) };
}

Surface const* IconPicture(IconHandle icon)
{
    auto& icons = CurrentBackend().IconResources();
    auto found = icons.find(int32_t(icon.value));
    return found == icons.end() ? nullptr : &found->second;
}

}
