#pragma once

// The event script: state the simulated device reports, and input at points
// of virtual time. State lines before the first event line apply before the
// program starts; every other line happens at its place in time.

#include "platform/headless/HeadlessDevice.h"

#include <functional>
#include <istream>
#include <string>
#include <vector>

namespace cesim {

struct ScriptError {
    std::string message;
};

class Script {
public:
    using ShotWriter = std::function<void(std::string const& file)>;
    // What a line of the script does when its time comes.
    using Action = std::function<void(platform::HeadlessDevice&, ShotWriter const&)>;

    // Throws ScriptError naming the line it cannot read.
    static Script Parse(std::istream& input);

    // Applies the opening state now and schedules the rest on the device.
    void Apply(platform::HeadlessDevice& device, ShotWriter const& writeShot) const;

private:
    struct Step {
        uint64_t at = 0;
        bool beforeStart = false;
        Action action;
    };
    std::vector<Step> steps_;
};

}
