#pragma once

// Message boxes with the platform's flag word and result. A box runs a message
// loop of its own while it is open, so timers and posted messages go on.

#include "platform/Types.h"

#include <string_view>

namespace platform {

namespace Box {
// Buttons (low four bits).
constexpr uint32_t Ok = 0x0;
constexpr uint32_t OkCancel = 0x1;
constexpr uint32_t AbortRetryIgnore = 0x2;
constexpr uint32_t YesNoCancel = 0x3;
constexpr uint32_t YesNo = 0x4;
constexpr uint32_t RetryCancel = 0x5;
constexpr uint32_t ButtonMask = 0xF;
// Icons.
constexpr uint32_t IconError = 0x10;
constexpr uint32_t IconQuestion = 0x20;
constexpr uint32_t IconWarning = 0x30;
constexpr uint32_t IconInformation = 0x40;
constexpr uint32_t IconMask = 0xF0;
// Placement.
constexpr uint32_t SetForeground = 0x10000;
constexpr uint32_t TopMost = 0x40000;
}

// Results: the button that closed the box.
enum class BoxResult : int32_t {
    Ok = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7,
};

BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags);

// What a file says that the program takes without a word but that is very
// likely a mistake. Nobody is told while the program runs; a check of its
// files prints it with the place being read, or with `line` of that file.
void Warn(std::u16string_view text, uint32_t line = 0);

}
