#pragma once

// What a run without a display has in place of a screen, keys, tray and
// dialogs: no input ever comes, so only a timer wakes the loop; synthesised
// keys reach nobody and there is no notification area; a message box goes to
// standard error and answers as if closed.

#include "platform/roles/Dialogs.h"
#include "platform/roles/KeysAndTray.h"
#include "platform/roles/Screen.h"

namespace platform {

class SystemServices;
class WindowSystem;

class NoScreen final : public Screen {
public:
    // The loop sleeps on the services' tick clock.
    explicit NoScreen(SystemServices& clock) : clock_(clock) { }

    Rect Bounds() const override { return {}; }
    Rect WorkArea() const override { return {}; }
    bool WaitForEvents(std::optional<uint32_t> deadline) override;

private:
    SystemServices& clock_;
};

class NoKeysAndTray final : public KeysAndTray {
public:
    // `hasKey`: which virtual keys the keyboard has; none: every real one.
    explicit NoKeysAndTray(WindowSystem& windows, bool (*hasKey)(uint32_t) = nullptr)
        : windows_(windows)
        , hasKey_(hasKey)
    {
    }

    void SynthesizeKey(uint8_t, uint32_t) override { }
    bool GrabKey(uint32_t, uint32_t, bool) override { return true; }
    // The keys the window system saw go down count.
    bool KeyIsDown(uint32_t virtualKey) override;
    bool HasKey(uint32_t virtualKey) override { return hasKey_ ? hasKey_(virtualKey) : KeysAndTray::HasKey(virtualKey); }
    bool NotifyIcon(uint32_t, NotifyIconData const&) override { return false; }

private:
    WindowSystem& windows_;
    bool (*hasKey_)(uint32_t);
};

class StandardErrorDialogs final : public Dialogs {
public:
    BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) override;
};

}
