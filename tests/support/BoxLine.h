#pragma once

// The trace line of a message box as the simulated device records it, for a
// box closed at once with OK at virtual time 0.

#include <string>

namespace testing_support {

inline std::string BoxLine(std::string const& caption, std::string const& text, std::string const& icon = "warning",
    bool foreground = true, bool owner = false)
{
    return "{\"t\":0,\"event\":\"msgbox\",\"caption\":\"" + caption + "\",\"text\":\"" + text + "\",\"icon\":\"" + icon
        + "\",\"buttons\":\"ok\",\"owner\":" + (owner ? "true" : "false") + ",\"foreground\":"
        + (foreground ? "true" : "false") + ",\"topmost\":false,\"answer\":\"ok\"}";
}

}
