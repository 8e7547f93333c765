#include "platform/draw/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cstdlib>

namespace platform {

namespace {

// Enough for every glyph of a few scripts at panel sizes; a huge font simply
// renders its glyphs again after the cache is emptied.
constexpr size_t kGlyphCacheBytes = size_t(4) << 20;

int32_t RoundedRatio(int64_t value, int64_t numerator, int64_t denominator)
{
    return int32_t((value * numerator * 2 + denominator) / (denominator * 2));
}

bool IsControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

}

std::unique_ptr<FontFace> FontFace::Open(std::shared_ptr<FontFileFace> file, bool embolden, int32_t logicalHeight)
{
    FT_Size size = nullptr;
    if (!file || FT_New_Size(file->Face(), &size) != 0)
        return nullptr;
    std::unique_ptr<FontFace> opened(new FontFace(std::move(file), size, embolden));
    if (!opened->ApplyHeight(logicalHeight))
        return nullptr;
    return opened;
}

FontFace::FontFace(std::shared_ptr<FontFileFace> file, FT_SizeRec_* size, bool embolden)
    : file_(std::move(file))
    , face_(file_->Face())
    , size_(size)
    , embolden_(embolden)
{
}

FontFace::~FontFace()
{
    FT_Done_Size(size_);
}

bool FontFace::ApplyHeight(int32_t logicalHeight)
{
    if (!FT_IS_SCALABLE(face_) || face_->units_per_EM == 0)
        return false;
    int64_t em = face_->units_per_EM;
    // The cell is what the platform measures a font by: the face's Windows
    // ascent and descent where it has them.
    int64_t ascender = face_->ascender;
    int64_t descender = -int64_t(face_->descender);
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && int64_t(os2->usWinAscent) + os2->usWinDescent > 0) {
        ascender = os2->usWinAscent;
        descender = os2->usWinDescent;
    }
    if (ascender < 0 || descender < 0 || ascender + descender <= 0) {
        ascender = em * 4 / 5;
        descender = em - ascender;
    }
    int64_t cell = ascender + descender;

    FT_Activate_Size(size_);
    int64_t emPixels64 = 0;
    if (logicalHeight > 0) {
        metrics_.height = logicalHeight;
        metrics_.ascent = RoundedRatio(logicalHeight, ascender, cell);
        metrics_.descent = logicalHeight - metrics_.ascent;
        emPixels64 = RoundedRatio(logicalHeight, 64 * em, cell);
    } else {
        int64_t emPixels = -int64_t(logicalHeight);
        metrics_.ascent = RoundedRatio(emPixels, ascender, em);
        metrics_.descent = RoundedRatio(emPixels, descender, em);
        metrics_.height = metrics_.ascent + metrics_.descent;
        emPixels64 = emPixels * 64;
    }
    emPixels64 = std::max<int64_t>(emPixels64, 64);
    if (FT_Set_Char_Size(face_, 0, FT_F26Dot6(emPixels64), 72, 72) != 0)
        return false;

    metrics_.internalLeading = metrics_.height - int32_t((emPixels64 + 32) / 64);
    metrics_.maxCharWidth = RoundedRatio(face_->max_advance_width, emPixels64, em * 64);
    if (os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0)
        metrics_.averageCharWidth = RoundedRatio(os2->xAvgCharWidth, emPixels64, em * 64);
    else
        metrics_.averageCharWidth = Advance(U'x');
    int32_t underline = RoundedRatio(-int64_t(face_->underline_position), emPixels64, em * 64);
    metrics_.underlineOffset = std::clamp(underline, 1, std::max(metrics_.descent - 1, 1));
    return true;
}

GlyphImage const& FontFace::Glyph(char32_t character)
{
    auto found = glyphs_.find(character);
    if (found != glyphs_.end())
        return found->second;
    if (cachedBytes_ > kGlyphCacheBytes) {
        glyphs_.clear();
        cachedBytes_ = 0;
    }
    GlyphImage image = Render(character);
    cachedBytes_ += image.coverage.size() + sizeof image;
    return glyphs_.emplace(character, std::move(image)).first->second;
}

GlyphImage FontFace::Render(char32_t character)
{
    GlyphImage image;
    if (IsControl(character))
        return image;
    // The face's other sizes may have drawn since.
    FT_Activate_Size(size_);
    FT_UInt index = FT_Get_Char_Index(face_, character);
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT) != 0)
        return image;
    FT_GlyphSlot slot = face_->glyph;
    if (embolden_)
        FT_GlyphSlot_Embolden(slot);
    image.advance = int32_t((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return image;

    FT_Bitmap const& bitmap = slot->bitmap;
    bool gray = bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && bitmap.num_grays == 256;
    bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if ((!gray && !mono) || bitmap.width == 0 || bitmap.rows == 0)
        return image;
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.width = int32_t(bitmap.width);
    image.height = int32_t(bitmap.rows);
    image.coverage.resize(size_t(image.width) * size_t(image.height));
    size_t pitch = size_t(std::abs(bitmap.pitch));
    for (int32_t y = 0; y < image.height; ++y) {
        // A negative pitch stores the rows from the bottom up.
        size_t stored = bitmap.pitch >= 0 ? size_t(y) : size_t(image.height - 1 - y);
        unsigned char const* from = bitmap.buffer + stored * pitch;
        uint8_t* into = image.coverage.data() + size_t(y) * size_t(image.width);
        for (int32_t x = 0; x < image.width; ++x)
            into[x] = gray ? from[x] : ((from[x >> 3] >> (7 - (x & 7))) & 1) * 255;
    }
    return image;
}

}
