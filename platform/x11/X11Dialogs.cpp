#include "platform/x11/X11Dialogs.h"

#include "platform/dialog/BoxWindow.h"

#include <X11/Xlib.h>

namespace platform {

BoxResult X11Dialogs::MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    Display* display = connection_.Display();
    ::Window focusBefore = 0;
    int revert = 0;
    XGetInputFocus(display, &focusBefore, &revert);
    screen_.BoxOpened();
    BoxResult answer = RunBoxWindow(owner, text, caption, flags);
    screen_.BoxClosed();
    if (focusBefore != PointerRoot && focusBefore != None) {
        X11ErrorTrap trap(display);
        XSetInputFocus(display, focusBefore, revert, CurrentTime);
        trap.Failed();
    }
    return answer;
}

}
