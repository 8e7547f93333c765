// The press of one served key and the processes its slots started.

#include "daemon/KeyPress.h"

#include "platform/Shell.h"

namespace brellum {

KeyPress::~KeyPress()
{
    if (processShort)
        platform::CloseHandle(processShort);
    if (processLong)
        platform::CloseHandle(processLong);
}

void KeyPress::Clear()
{
    isDown = false;
    downTick = 0;
    hasFired = false;
}

}
