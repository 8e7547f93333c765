#include "platform/win32/Win32Dialogs.h"

namespace platform {

BoxResult Win32Dialogs::MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    screen_.Present();
    screen_.BoxOpened();
    int answer = MessageBoxW(screen_.WindowOf(owner), win32::Wide(text).c_str(), win32::Wide(caption).c_str(), UINT(flags));
    screen_.BoxClosed();
    // A box that could not be shown is as one closed without a choice.
    if (answer == 0)
        return (flags & Box::ButtonMask) == Box::Ok ? BoxResult::Ok : BoxResult::Cancel;
    return BoxResult(answer);
}

}
