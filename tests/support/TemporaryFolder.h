#pragma once

// A new, empty folder of the system's temporary folder, named `prefix` and a
// random suffix; every test process gets its own.

#include <filesystem>
#include <string_view>

namespace testing_support {

std::filesystem::path MakeTemporaryFolder(std::string_view prefix);

}
