#pragma once

// Message boxes on the Linux desktop: our own box windows (platform/dialog),
// which take the keyboard while they are open and give it back afterwards to
// whichever window had it, ours or another program's.

#include "platform/roles/Dialogs.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Screen.h"

namespace platform {

class X11Dialogs final : public Dialogs {
public:
    X11Dialogs(X11Connection& connection, X11Screen& screen) : connection_(connection), screen_(screen) { }

    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override;

private:
    X11Connection& connection_;
    X11Screen& screen_;
};

}
