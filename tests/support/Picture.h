#pragma once

// A picture as the tests compare it, and PNG files of it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace testing_support {

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    // 0x00RRGGBB, rows from the top.
    std::vector<uint32_t> pixels;

    uint32_t At(int32_t x, int32_t y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    bool operator==(Picture const&) const = default;
};

// None when the file is missing or no PNG.
std::optional<Picture> ReadPng(std::filesystem::path const& path);
// An 8-bit RGB PNG; false when it cannot be written.
bool WritePng(Picture const& picture, std::filesystem::path const& path);

}
