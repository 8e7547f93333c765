#include "platform/draw/FontLibrary.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace platform {

namespace {

// Faces no font uses any more are let go once there are more than this.
constexpr size_t kKeptFaces = 16;

std::u16string FamilyOf(LogFont const& font)
{
    auto const* end = std::find(std::begin(font.faceName), std::end(font.faceName), u'\0');
    return std::u16string(std::begin(font.faceName), end);
}

}

int32_t FontLibrary::WeightOf(LogFont const& font)
{
    return font.weight == 0 ? kDefaultWeight : std::clamp(font.weight, 1, 1000);
}

std::optional<FontFile> FontLibrary::Match(std::u16string const& family, int32_t weight, bool italic)
{
    auto key = std::make_tuple(family, weight, italic);
    auto found = matches_.find(key);
    if (found == matches_.end())
        found = matches_.emplace(key, MatchFont(family, weight, italic)).first;
    return found->second;
}

std::shared_ptr<FontFileFace> FontLibrary::OpenFile(FontFile const& file)
{
    auto key = std::make_pair(file.path, file.index);
    if (std::shared_ptr<FontFileFace> open = files_[key].lock())
        return open;
    if (!library_) {
        FT_Library library = nullptr;
        if (FT_Init_FreeType(&library) != 0)
            return nullptr;
        library_ = std::shared_ptr<FT_LibraryRec_>(library, FT_Done_FreeType);
    }
    std::shared_ptr<FontFileFace> opened = FontFileFace::Open(library_, file.path, file.index);
    files_[key] = opened;
    return opened;
}

std::shared_ptr<FontFace> FontLibrary::Realize(LogFont const& font)
{
    std::optional<FontFile> file = Match(FamilyOf(font), WeightOf(font), font.italic != 0);
    if (!file)
        return nullptr;
    int32_t height = font.height == 0 ? kDefaultCellHeight : std::clamp(font.height, -kMaxHeight, kMaxHeight);
    auto key = std::make_pair(*file, height);
    if (auto found = faces_.find(key); found != faces_.end())
        return found->second;

    std::shared_ptr<FontFace> face = FontFace::Open(OpenFile(*file), file->embolden, height);
    if (!face)
        return nullptr;
    if (faces_.size() >= kKeptFaces)
        std::erase_if(faces_, [](auto const& entry) { return entry.second.use_count() == 1; });
    faces_.emplace(key, face);
    return face;
}

}
