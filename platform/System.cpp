#include "platform/System.h"

#include "platform/Backend.h"

namespace platform {

uint32_t GetTickCount()
{
    return CurrentBackend().Services().TickCount();
}

}
