#pragma once

// Turns logical fonts into faces: fontconfig picks the file, FreeType opens it
// at the asked size. Faces are shared by every font that asks for the same
// file and size, and a file is opened once for all its sizes; FreeType starts
// only when the first font is realized.

#include "platform/Drawing.h"
#include "platform/draw/FontFace.h"
#include "platform/draw/FontMatcher.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

namespace platform {

class FontLibrary {
public:
    static constexpr int32_t kDefaultCellHeight = 13;
    static constexpr int32_t kDefaultWeight = 400;
    // Larger heights are drawn at this size: a glyph of it is already a megabyte.
    static constexpr int32_t kMaxHeight = 1024;

    // Null when no installed font can be used.
    std::shared_ptr<FontFace> Realize(LogFont const& font);

    static int32_t WeightOf(LogFont const& font);

private:
    std::optional<FontFile> Match(std::u16string const& family, int32_t weight, bool italic);
    std::shared_ptr<FontFileFace> OpenFile(FontFile const& file);

    std::shared_ptr<FT_LibraryRec_> library_;
    std::map<std::tuple<std::u16string, int32_t, bool>, std::optional<FontFile>> matches_;
    std::map<std::pair<std::string, int32_t>, std::weak_ptr<FontFileFace>> files_;
    std::map<std::pair<FontFile, int32_t>, std::shared_ptr<FontFace>> faces_;
};

}
