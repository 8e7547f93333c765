#pragma once

// The trace line of a message box, as the simulated device records it.

#include <string>

namespace config_tests {

inline std::string BoxLine(std::string const& caption, std::string const& text, std::string const& icon, bool foreground)
{
    return "{\"t\":0,\"event\":\"msgbox\",\"caption\":\"" + caption + "\",\"text\":\"" + text + "\",\"icon\":\"" + icon
        + "\",\"buttons\":\"ok\",\"owner\":false,\"foreground\":" + (foreground ? "true" : "false")
        + ",\"topmost\":false,\"answer\":\"ok\"}";
}

}
