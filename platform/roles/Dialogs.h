#pragma once

// The role of a backend that puts a question to the user: the message box,
// which answers with the button pressed.

#include "platform/MessageBox.h"

#include <string_view>

namespace platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) = 0;
};

}
