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

// The same box, about a line of a device file.
inline TraceEvent AtLine(TraceEvent const& box, std::string file, int64_t line)
{
    std::vector<TraceField> fields = box.Fields();
    fields.push_back({ "file", std::move(file) });
    fields.push_back({ "line", line });
    return TraceEvent(std::move(fields));
}

// Only what a box says, for HasFields and EventsHave.
inline TraceEvent BoxSaying(std::string caption, std::string text)
{
    return { { "caption", std::move(caption) }, { "text", std::move(text) } };
}

}
