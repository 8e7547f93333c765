#pragma once

// The current date of a DATE section, due every ten minutes unless told otherwise.

#include "panel/displays/ClockText.h"

namespace panel {

class DateInfo final : public ClockText {
public:
    DateInfo()
        : ClockText(u"DateInfo", platform::GetDateFormat, 600000)
    {
    }
};

}
