#include "tests/support/TemporaryFolder.h"

#include <cstdlib>
#include <random>
#include <string>

namespace testing_support {

std::filesystem::path MakeTemporaryFolder(std::string_view prefix)
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    std::filesystem::path const base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path folder = base / (std::string(prefix) + std::to_string(random() % 1000000000));
        std::error_code error;
        // false without an error: the name is taken, so another one is tried.
        if (std::filesystem::create_directory(folder, error))
            return folder;
        if (error)
            break;
    }
    std::abort();
}

}
