#pragma once

// A file of the machine the programs run on, named as its user would type it.
// Host paths are UTF-8 text; the file system library reads narrow text in
// the Windows ANSI code page, so paths cross to it through these.

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

std::filesystem::path HostFileSystemPath(std::string_view hostPath);
std::string HostPathText(std::filesystem::path const& path);

// Relative to the current folder when the file lies below it; as given otherwise.
std::u16string UserPathOfHostFile(std::string const& hostPath);

}
