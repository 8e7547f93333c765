#include "platform/HostFilePath.h"

#include "platform/Utf.h"

namespace platform {

std::filesystem::path HostFileSystemPath(std::string_view hostPath)
{
    return std::filesystem::path(std::u8string(hostPath.begin(), hostPath.end()));
}

std::string HostPathText(std::filesystem::path const& path)
{
    std::u8string const text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::u16string UserPathOfHostFile(std::string const& hostPath)
{
    std::error_code error;
    std::filesystem::path const file = std::filesystem::absolute(HostFileSystemPath(hostPath), error).lexically_normal();
    std::filesystem::path const here = std::filesystem::current_path(error);
    if (error)
        return FromUtf8(hostPath);
    std::filesystem::path const relative = file.lexically_relative(here);
    if (relative.empty() || *relative.begin() == "..")
        return FromUtf8(hostPath);
    return FromUtf8(HostPathText(relative));
}

}
