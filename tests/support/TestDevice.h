#pragma once

// A simulated device on a fresh, empty root folder, installed for the
// lifetime of a test; files written here are the device's files.

#include "platform/Backend.h"
#include "platform/headless/HeadlessDevice.h"
#include "tests/support/TraceEvent.h"

#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class TestDevice {
public:
    explicit TestDevice(platform::DeviceSettings settings = {});
    ~TestDevice();

    platform::HeadlessDevice& Device() { return *device_; }
    std::string const& Root() const { return root_; }

    // `path` is relative to the device root, with '/' between folders.
    void WriteBytes(std::string_view path, std::string_view bytes);
    // UTF-16LE, with the byte-order mark unless `bom` is false.
    void WriteUtf16(std::string_view path, std::u16string_view text, bool bom = true);
    void MakeFolder(std::string_view path);
    // The device's files are its root folder's on the host: whether a name
    // in another case finds a file is the host's matter (Windows: it does).
    bool HostIgnoresCase();

    std::vector<std::string> const& Trace() { return device_->GetTrace().Lines(); }
    // The same, as values to match field by field.
    std::vector<TraceEvent> ParsedTrace() { return ParseTrace(Trace()); }
    // Only the lines of one kind of event.
    std::vector<std::string> Events(std::string_view event);
    // The same, as values.
    std::vector<TraceEvent> ParsedEvents(std::string_view event);

private:
    std::string root_;
    std::unique_ptr<platform::HeadlessDevice> device_;
    std::unique_ptr<platform::ScopedBackend> scope_;
};

}
