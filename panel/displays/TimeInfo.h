#pragma once

// The current time of a TIME section, due once a minute unless told otherwise.

#include "panel/displays/ClockText.h"

namespace panel {

class TimeInfo final : public ClockText {
public:
    TimeInfo()
        : ClockText(u"TimeInfo", platform::GetTimeFormat, 60000)
    {
    }
};

}
