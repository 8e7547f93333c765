#include "platform/HostFilePath.h"

#include "platform/Utf.h"

#include <filesystem>

namespace platform {

std::u16string UserPathOfHostFile(std::string const& hostPath)
{
    std::error_code error;
    std::filesystem::path const file = std::filesystem::absolute(hostPath, error).lexically_normal();
    std::filesystem::path const here = std::filesystem::current_path(error);
    if (error)
        return FromUtf8(hostPath);
    std::filesystem::path const relative = file.lexically_relative(here);
    if (relative.empty() || *relative.begin() == "..")
        return FromUtf8(hostPath);
    return FromUtf8(relative.string());
}

}
