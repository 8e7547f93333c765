#pragma once

// The role of a backend that tells the user something: the message box, which
// answers with the button pressed, and the warnings about a file, which only a
// check of the files prints.

#include "platform/MessageBox.h"
#include "platform/SourcePlace.h"

#include <string_view>

namespace platform {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags) = 0;
    virtual void Warn(SourcePlace const* place, std::u16string_view text)
    {
        (void)place;
        (void)text;
    }
};

}
