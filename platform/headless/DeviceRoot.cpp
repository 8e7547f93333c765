#include "platform/headless/DeviceRoot.h"

#include "platform/HostFilePath.h"
#include "platform/Utf.h"
#include "platform/host/HostFileStream.h"

#include <filesystem>
#include <vector>

namespace platform {

std::optional<std::string> DeviceRoot::HostPath(std::u16string_view devicePath) const
{
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (size_t i = 0; i <= devicePath.size(); ++i) {
        if (i < devicePath.size() && devicePath[i] != u'\\' && devicePath[i] != u'/')
            continue;
        std::u16string_view part = devicePath.substr(start, i - start);
        start = i + 1;
        if (part.empty() || part == u".")
            continue;
        if (part == u"..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        // A NUL ends a device path; the host must not see the rest.
        if (part.find(u'\0') != std::u16string_view::npos)
            return std::nullopt;
        parts.push_back(part);
    }
    if (parts.empty())
        return std::nullopt;
    std::string host = hostFolder_.empty() ? std::string(".") : hostFolder_;
    for (auto part : parts) {
        if (host.back() != '/')
            host.push_back('/');
        host += ToUtf8(part);
    }
    return host;
}

bool DeviceRoot::FileExists(std::u16string_view devicePath) const
{
    auto host = HostPath(devicePath);
    return host && HostFileExists(*host);
}

}

namespace platform {

bool DeviceRoot::FolderExists(std::u16string_view devicePath) const
{
    if (devicePath.find_first_not_of(u"\\/") == std::u16string_view::npos)
        return std::filesystem::is_directory(HostFileSystemPath(hostFolder_.empty() ? std::string(".") : hostFolder_));
    auto host = HostPath(devicePath);
    std::error_code ignored;
    return host && std::filesystem::is_directory(HostFileSystemPath(*host), ignored);
}

}
