#pragma once

// What the daemon's unit tests read back from the simulated device.

#include "tests/support/TestDevice.h"

#include <string>
#include <vector>

namespace daemon_tests {

// A string field of a trace line, undecoded; empty when it is absent.
inline std::string Field(std::string const& line, std::string const& name)
{
    std::string marker = "\"" + name + "\":";
    size_t at = line.find(marker);
    if (at == std::string::npos)
        return {};
    at += marker.size();
    if (line[at] != '"')
        return line.substr(at, line.find_first_of(",}", at) - at);
    size_t end = at + 1;
    while (end < line.size() && line[end] != '"')
        end += line[end] == '\\' ? 2 : 1;
    return line.substr(at + 1, end - at - 1);
}

// Every message box as "caption | text".
inline std::vector<std::string> Boxes(testing_support::TestDevice& device)
{
    std::vector<std::string> boxes;
    for (auto const& line : device.Events("msgbox"))
        boxes.push_back(Field(line, "caption") + " | " + Field(line, "text"));
    return boxes;
}

}
