#pragma once

// A message box as a window of our own window system, drawn by our renderer,
// for backends that have a screen: a caption bar, the icon, the text and a
// row of push buttons, in the middle of the screen, above every other window.
// It runs a loop of its own until a button answers, so timers and posted
// messages of other windows go on meanwhile.

#include "platform/MessageBox.h"

#include <string_view>

namespace platform {

// Enter answers the first button, Escape the cancelling one (see EscapeAnswer).
// A quit request closes the box with ClosingAnswer and stays pending for the
// outer loop; so does the end of the run. The focus goes back afterwards.
BoxResult RunBoxWindow(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags);

}
