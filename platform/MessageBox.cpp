#include "platform/MessageBox.h"

#include "platform/Backend.h"
#include "platform/SourcePlace.h"

namespace platform {

BoxResult MessageBox(WindowHandle owner, std::u16string_view text, std::u16string_view caption, uint32_t flags)
{
    return CurrentBackend().Dialogs().MessageBox(owner, text, caption, flags);
}

void Warn(std::u16string_view text, uint32_t line)
{
    SourcePlace const* reading = CurrentSourcePlace();
    if (!reading || line == 0)
        return CurrentBackend().Dialogs().Warn(reading, text);
    SourcePlace const place { reading->file, line };
    CurrentBackend().Dialogs().Warn(&place, text);
}

}
