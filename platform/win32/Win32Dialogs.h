#pragma once

// Message boxes on Windows: the system's own MessageBoxW with the caller's
// flags. Its loop is the system's; our windows go on meanwhile (see
// Win32Screen::BoxOpened).

#include "platform/roles/Dialogs.h"
#include "platform/win32/Win32Screen.h"

namespace platform {

class Win32Dialogs final : public Dialogs {
public:
    explicit Win32Dialogs(Win32Screen& screen) : screen_(screen) { }

    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override;

private:
    Win32Screen& screen_;
};

}
