#pragma once

// One font file at one size, as FreeType renders it: the cell metrics that
// text layout needs and a cache of rendered glyphs. Every size of a file
// draws from the one face of it.

#include "platform/draw/FontFileFace.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

struct FT_SizeRec_;

namespace platform {

struct FontMetrics {
    int32_t height = 0; // ascent + descent: one line of text
    int32_t ascent = 0;
    int32_t descent = 0;
    int32_t internalLeading = 0; // height - em size
    int32_t averageCharWidth = 0;
    int32_t maxCharWidth = 0;
    int32_t underlineOffset = 1; // rows below the baseline
};

struct GlyphImage {
    int32_t advance = 0;
    int32_t left = 0; // from the pen position to the first column
    int32_t top = 0; // from the baseline up to the first row
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> coverage; // width x height, rows from the top
};

class FontFace {
public:
    // `logicalHeight` > 0 is the cell height, < 0 the em height, in pixels;
    // `embolden` makes the glyphs bolder. Null when the face has no such size.
    static std::unique_ptr<FontFace> Open(std::shared_ptr<FontFileFace> file, bool embolden, int32_t logicalHeight);
    ~FontFace();
    FontFace(FontFace const&) = delete;
    FontFace& operator=(FontFace const&) = delete;

    FontMetrics const& Metrics() const { return metrics_; }
    // Valid until the next call.
    GlyphImage const& Glyph(char32_t character);
    int32_t Advance(char32_t character) { return Glyph(character).advance; }

private:
    FontFace(std::shared_ptr<FontFileFace> file, FT_SizeRec_* size, bool embolden);
    bool ApplyHeight(int32_t logicalHeight);
    GlyphImage Render(char32_t character);

    std::shared_ptr<FontFileFace> file_; // outlives the size
    FT_FaceRec_* face_;
    FT_SizeRec_* size_;
    bool embolden_;
    FontMetrics metrics_;
    std::unordered_map<char32_t, GlyphImage> glyphs_;
    size_t cachedBytes_ = 0;
};

}
