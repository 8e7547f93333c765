#include "platform/MessageBox.h"

#include "platform/Backend.h"

namespace platform {

BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    return CurrentBackend().Dialogs().MessageBox(owner, text, caption, flags);
}

}
