#pragma once

// Which installed font file the host picks (fontconfig on Linux, the system on
// Windows, a folder of DejaVu faces in WebAssembly) for a logical font's face name,
// weight and slant.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

namespace platform {

struct FontFile {
    std::string path;
    int32_t index = 0;
    // The file has no face of the asked weight; its glyphs are made bolder.
    bool embolden = false;
    bool operator<(FontFile const& other) const
    {
        return std::tie(path, index, embolden) < std::tie(other.path, other.index, other.embolden);
    }
};

// An empty family asks for the default face: Tahoma where it is installed,
// else DejaVu Sans, else whatever sans-serif face there is. `weight` is on the
// logical font's scale (400 regular, 700 bold). None when there is no font.
std::optional<FontFile> MatchFont(std::u16string_view family, int32_t weight, bool italic);

}
