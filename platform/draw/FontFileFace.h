#pragma once

// One face of a font file opened in FreeType and shared by every size drawn
// from it. FreeType reads the file through its descriptor: it keeps the few
// tables it needs and reads a glyph's outline when one is rendered, instead
// of mapping the whole file, whose touched pages would count to the process.

#include <cstdint>
#include <memory>
#include <string>

struct FT_FaceRec_;
struct FT_LibraryRec_;
struct FT_StreamRec_;

namespace platform {

class FontFileFace {
public:
    // Null when the file cannot be opened or FreeType cannot use it.
    static std::shared_ptr<FontFileFace> Open(std::shared_ptr<FT_LibraryRec_> library, std::string const& path, int32_t index);
    ~FontFileFace();
    FontFileFace(FontFileFace const&) = delete;
    FontFileFace& operator=(FontFileFace const&) = delete;

    FT_FaceRec_* Face() const { return face_; }

private:
    FontFileFace(std::shared_ptr<FT_LibraryRec_> library, int descriptor);

    std::shared_ptr<FT_LibraryRec_> library_; // outlives the face
    int descriptor_;
    std::unique_ptr<FT_StreamRec_> stream_;
    FT_FaceRec_* face_ = nullptr;
};

}
