#pragma once

// What a button does when it is released: start its command through the
// shell, or hand it to the panel window as the next layout file; then perhaps
// ask the panel to close with an exit code. The window hears of it only by
// posted messages, after the release has been handled.

#include "platform/Types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace panel {

class ButtonCommand {
public:
    explicit ButtonCommand(platform::WindowHandle window);
    virtual ~ButtonCommand() = default;
    ButtonCommand(ButtonCommand const&) = delete;
    ButtonCommand& operator=(ButtonCommand const&) = delete;

    virtual void Execute();

    // An empty text leaves the button without a command. The line being read
    // is kept for a check of the files.
    void SetCommand(std::u16string_view text);
    // For a check of the files: says what pressing the button would say of
    // its command and warns of a program, file or layout that does not
    // exist. The layout file it switches to, if it does.
    std::optional<std::u16string> CheckTarget() const;
    void SetQuitOnExecute(bool quit) { quitOnExecute_ = quit; }
    void SetExitCode(int32_t exitCode) { exitCode_ = exitCode; }
    // From now on the command names a layout file for the window to switch to.
    void SetShutDownAnimation(int32_t kind)
    {
        shutDownAnimation_ = kind;
        switchLayout_ = true;
    }

private:
    // The switch message carries this text's address: it must not change
    // while the message waits in the queue.
    std::u16string command_;
    platform::WindowHandle window_;
    bool quitOnExecute_ = false;
    bool switchLayout_ = false;
    int32_t exitCode_ = 0;
    int32_t shutDownAnimation_ = 0;
    uint32_t commandLine_ = 0;
};

}
