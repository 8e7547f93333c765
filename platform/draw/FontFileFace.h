#pragma once

// One face of a font file opened in FreeType and shared by every size drawn
// from it. FreeType reads the file through a stream: it keeps the few tables
// it needs and reads a glyph's outline when one is rendered, instead of
// mapping the whole file, whose touched pages would count to the process.
// Where the bytes come from is the host's FontSource.

#include <cstdint>
#include <memory>
#include <string>

struct FT_FaceRec_;
struct FT_LibraryRec_;
struct FT_StreamRec_;

namespace platform {

class FontSource;

class FontFileFace {
public:
    // Null when the file cannot be opened or FreeType cannot use it. `path`
    // is what the host's font matcher gave.
    static std::shared_ptr<FontFileFace> Open(std::shared_ptr<FT_LibraryRec_> library, std::string const& path, int32_t index);
    ~FontFileFace();
    FontFileFace(FontFileFace const&) = delete;
    FontFileFace& operator=(FontFileFace const&) = delete;

    FT_FaceRec_* Face() const { return face_; }

private:
    FontFileFace(std::shared_ptr<FT_LibraryRec_> library, std::unique_ptr<FontSource> source);

    std::shared_ptr<FT_LibraryRec_> library_; // outlives the face
    std::unique_ptr<FontSource> source_;
    std::unique_ptr<FT_StreamRec_> stream_;
    FT_FaceRec_* face_ = nullptr;
};

}
