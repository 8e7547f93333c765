#include "platform/console/ConsoleRoles.h"

#include "platform/Utf.h"
#include "platform/roles/SystemServices.h"
#include "platform/window/WindowSystem.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace platform {

bool NoScreen::WaitForEvents(std::optional<uint32_t> deadline)
{
    if (!deadline)
        return false;
    auto ahead = int32_t(*deadline - clock_.TickCount());
    if (ahead > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ahead));
    return true;
}

bool NoKeysAndTray::KeyIsDown(uint32_t virtualKey)
{
    return windows_.KeyIsDown(virtualKey);
}

BoxResult StandardErrorDialogs::MessageBox(WindowHandle, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    std::fprintf(stderr, "%s\n%s\n\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
    uint32_t buttons = flags & Box::ButtonMask;
    return buttons == Box::YesNo || buttons == Box::YesNoCancel ? BoxResult::No : BoxResult::Ok;
}

}
