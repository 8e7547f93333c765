#pragma once

// The private messages between the windows of one panel process.

#include "platform/window/Messages.h"

namespace panel {

// First parameter: the full path of the new layout file (the sender keeps
// it); second: the animation of both the closing and the opening window.
constexpr uint32_t SwitchLayoutMessage = platform::Msg::App + 1;
// Second parameter: the opening animation; the result is the animation time.
constexpr uint32_t StartAnimationMessage = platform::Msg::App + 2;
// Files the panel read have changed on disk (--watch); the first parameter
// says which watch: the window's own files or the settings file's.
constexpr uint32_t FilesChangedMessage = platform::Msg::App + 3;
constexpr platform::WParam kLayoutFilesWatch = 1;
constexpr platform::WParam kSettingsFileWatch = 2;

// Timers of a panel window.
constexpr uintptr_t kRefreshTimer = 1;
constexpr uintptr_t kOpeningTimer = 2;
constexpr uintptr_t kClosingTimer = 3;
constexpr uint32_t kAnimationStep = 20;

}
