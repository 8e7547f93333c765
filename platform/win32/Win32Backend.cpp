#include "platform/win32/Win32Backend.h"

namespace platform {

Win32Backend::Win32Backend()
    : screen_(Windows(), services_)
    , keys_(Windows())
    , dialogs_(screen_)
{
}

}
