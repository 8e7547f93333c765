#include "tests/support/TestDevice.h"

#include "tests/support/TemporaryFolder.h"

#include "platform/HostFilePath.h"

#include <filesystem>
#include <fstream>

namespace testing_support {

namespace fs = std::filesystem;

TestDevice::TestDevice(platform::DeviceSettings settings)
{
    root_ = platform::HostPathText(MakeTemporaryFolder("vessarine-test-"));
    settings.root = root_;
    device_ = std::make_unique<platform::HeadlessDevice>(std::move(settings));
    scope_ = std::make_unique<platform::ScopedBackend>(*device_);
}

TestDevice::~TestDevice()
{
    scope_.reset();
    device_.reset();
    std::error_code ignored;
    fs::remove_all(platform::HostFileSystemPath(root_), ignored);
}

bool TestDevice::HostIgnoresCase()
{
    fs::path const probe = platform::HostFileSystemPath(root_) / "case-probe";
    std::ofstream(probe).close();
    bool const ignored = fs::exists(platform::HostFileSystemPath(root_) / "CASE-PROBE");
    std::error_code error;
    fs::remove(probe, error);
    return ignored;
}

void TestDevice::MakeFolder(std::string_view path)
{
    fs::create_directories(platform::HostFileSystemPath(root_) / platform::HostFileSystemPath(path));
}

void TestDevice::WriteBytes(std::string_view path, std::string_view bytes)
{
    fs::path host = platform::HostFileSystemPath(root_) / platform::HostFileSystemPath(path);
    fs::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

void TestDevice::WriteUtf16(std::string_view path, std::u16string_view text, bool bom)
{
    std::string bytes;
    if (bom)
        bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes.push_back(char(unit & 0xFF));
        bytes.push_back(char(unit >> 8));
    }
    WriteBytes(path, bytes);
}

std::vector<std::string> TestDevice::Events(std::string_view event)
{
    std::string marker = "\"event\":\"" + std::string(event) + "\"";
    std::vector<std::string> lines;
    for (auto const& line : Trace()) {
        if (line.find(marker) != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

std::vector<TraceEvent> TestDevice::ParsedEvents(std::string_view event)
{
    std::vector<TraceEvent> events;
    for (TraceEvent& parsed : ParsedTrace()) {
        if (TraceValue const* name = parsed.Find("event"); name && *name == TraceValue(std::string(event)))
            events.push_back(std::move(parsed));
    }
    return events;
}

}
