#include "platform/draw/FontFileFace.h"

#include "platform/draw/FontSource.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace platform {

namespace {

// FreeType asks for `count` bytes at `offset`; a count of 0 only asks whether
// the offset lies within the file, answered 0 when it does.
unsigned long ReadAt(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    if (count == 0)
        return offset <= stream->size ? 0 : 1;
    auto const* source = static_cast<FontSource const*>(stream->descriptor.pointer);
    return static_cast<unsigned long>(source->ReadAt(offset, buffer, count));
}

}

FontFileFace::FontFileFace(std::shared_ptr<FT_LibraryRec_> library, std::unique_ptr<FontSource> source)
    : library_(std::move(library))
    , source_(std::move(source))
    , stream_(std::make_unique<FT_StreamRec>())
{
}

std::shared_ptr<FontFileFace> FontFileFace::Open(std::shared_ptr<FT_LibraryRec_> library, std::string const& path, int32_t index)
{
    if (!library)
        return nullptr;
    std::unique_ptr<FontSource> source = OpenFontSource(path);
    if (!source)
        return nullptr;
    std::shared_ptr<FontFileFace> opened(new FontFileFace(std::move(library), std::move(source)));
    opened->stream_->size = static_cast<unsigned long>(opened->source_->Size());
    opened->stream_->descriptor.pointer = opened->source_.get();
    opened->stream_->read = ReadAt;
    FT_Open_Args arguments {};
    arguments.flags = FT_OPEN_STREAM;
    arguments.stream = opened->stream_.get();
    if (FT_Open_Face(opened->library_.get(), &arguments, index, &opened->face_) != 0) {
        opened->face_ = nullptr;
        return nullptr;
    }
    return opened;
}

FontFileFace::~FontFileFace()
{
    if (face_)
        FT_Done_Face(face_);
}

}
