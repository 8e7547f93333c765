#include "programs/Documentation.h"

#include <filesystem>

namespace programs {

namespace fs = std::filesystem;

// The installed reference, empty when this program is not an installed one.
static std::string InstalledReferenceFolder()
{
    std::error_code error;
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    fs::path folder = (program.parent_path() / VESSARINE_REFERENCE_FROM_PROGRAMS).lexically_normal();
    if (!fs::is_directory(folder, error))
        return {};
    return folder.string();
}

std::string DocumentationLines(std::string_view program, std::string_view pages)
{
    std::string name(program);
    std::string folder = InstalledReferenceFolder();
    std::string heading = folder.empty()
        ? "Documentation, in the source tree: docs/man/" + name + ".1 (man -l), and in docs/:\n"
        : "Documentation: man " + name + ", and in " + folder + "/:\n";
    return "\n" + heading + std::string(pages);
}

}
