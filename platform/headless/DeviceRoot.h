#pragma once

// The host folder that stands for the device's root folder.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

class DeviceRoot {
public:
    explicit DeviceRoot(std::string hostFolder) : hostFolder_(std::move(hostFolder)) { }

    // Relative device paths count from the root; "." and ".." are resolved and
    // never lead above it. None for a path that names no file.
    std::optional<std::string> HostPath(std::u16string_view devicePath) const;
    bool FileExists(std::u16string_view devicePath) const;
    // The root itself for an empty path, or "\".
    bool FolderExists(std::u16string_view devicePath) const;
    std::string const& HostFolder() const { return hostFolder_; }

private:
    std::string hostFolder_;
};

}
