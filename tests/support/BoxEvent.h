#pragma once

// A message box's event as the simulated device records it.

#include "tests/support/TraceEvent.h"

#include <string>

namespace testing_support {

// A box closed at once with OK at virtual time 0.
inline TraceEvent BoxEvent(std::string caption, std::string text, std::string icon = "warning", bool foreground = true,
    bool owner = false)
{
    return { { "t", 0 }, { "event", "msgbox" }, { "caption", std::move(caption) }, { "text", std::move(text) },
        { "icon", std::move(icon) }, { "buttons", "ok" }, { "owner", owner }, { "foreground", foreground },
        { "topmost", false }, { "answer", "ok" } };
}

// Only what a box says, for HasFields and EventsHave.
inline TraceEvent BoxSaying(std::string caption, std::string text)
{
    return { { "caption", std::move(caption) }, { "text", std::move(text) } };
}

}
