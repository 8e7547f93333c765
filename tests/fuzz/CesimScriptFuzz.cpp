// Any bytes as a cesim script: reading it either succeeds or names the bad
// line; a script that reads is played out on a device with no program windows.

#include "platform/headless/HeadlessDevice.h"
#include "programs/cesim/Script.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(uint8_t const* data, size_t size)
{
    std::istringstream input(std::string(reinterpret_cast<char const*>(data), size));
    cesim::Script script;
    try {
        script = cesim::Script::Parse(input);
    } catch (cesim::ScriptError const&) {
        return 0;
    }
    platform::DeviceSettings settings;
    settings.root = "/nonexistent";
    settings.until = 100000;
    platform::HeadlessDevice device(settings);
    platform::ScopedBackend installed(device);
    script.Apply(device, [](std::string const&) { });
    while (device.WaitForEvents(std::nullopt)) { }
    return 0;
}
