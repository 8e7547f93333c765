#pragma once

// One face of a font file opened in FreeType and shared by every size drawn
// from it. FreeType reads the file through a stream: it keeps the few tables
// it needs and reads a glyph's outline when one is rendered, instead of
// mapping the whole file, whose touched pages would count to the process.
// Where the bytes come from is the host's font source: a file descriptor
// (fontconfig's hosts) or the system's own font (Windows, platform/win32/).

#include <cstdint>
#include <memory>
#include <string>

struct FT_FaceRec_;
struct FT_LibraryRec_;
struct FT_StreamRec_;

namespace platform {

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
    struct Source; // the open file the stream reads, defined by the font source
    FontFileFace(std::shared_ptr<FT_LibraryRec_> library, std::unique_ptr<Source> source);

    std::shared_ptr<FT_LibraryRec_> library_; // outlives the face
    std::unique_ptr<Source> source_;
    std::unique_ptr<FT_StreamRec_> stream_;
    FT_FaceRec_* face_ = nullptr;
};

}
