#pragma once

// A touch area of the panel that runs a command when it is released inside,
// and the base of every visible button. A plain one draws nothing.

#include "panel/buttons/ButtonCommand.h"
#include "panel/core/DesktopObject.h"

#include <memory>

namespace panel {

class CommandButton : public DesktopObject {
public:
    // `window` is the panel window the command reports to.
    explicit CommandButton(platform::WindowHandle window);

    // Command, NewIni, QuitOnExecute, ExitCode, ShutDownAnimation; then those of DesktopObject.
    static config::KeyTable<CommandButton> const& Keys();
    bool ReadValue(std::u16string_view line, bool report = true) override;
    void Draw(ScratchBitmap& surface, int32_t x, int32_t y) override;
    bool OnPress(int32_t x, int32_t y) override;
    // Runs the command only when the pen is lifted inside the button.
    bool OnRelease(int32_t x, int32_t y) override;

    ButtonCommand const& Action() const { return *action_; }

protected:
    std::unique_ptr<ButtonCommand> action_;
    bool pressed_ = false;
};

}
