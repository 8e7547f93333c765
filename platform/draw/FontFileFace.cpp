#include "platform/draw/FontFileFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

struct FontFileFace::Source {
    explicit Source(int file) : descriptor(file) { }
    ~Source() { close(descriptor); }
    Source(Source const&) = delete;
    Source& operator=(Source const&) = delete;
    int descriptor;
};

namespace {

// FreeType asks for `count` bytes at `offset`; a count of 0 only asks whether
// the offset lies within the file, answered 0 when it does.
unsigned long ReadAt(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count)
{
    if (count == 0)
        return offset <= stream->size ? 0 : 1;
    int descriptor = int(stream->descriptor.value);
    unsigned long done = 0;
    while (done < count) {
        ssize_t got = pread(descriptor, buffer + done, count - done, off_t(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<unsigned long>(got);
    }
    return done;
}

}

FontFileFace::FontFileFace(std::shared_ptr<FT_LibraryRec_> library, std::unique_ptr<Source> source)
    : library_(std::move(library))
    , source_(std::move(source))
    , stream_(std::make_unique<FT_StreamRec>())
{
}

std::shared_ptr<FontFileFace> FontFileFace::Open(std::shared_ptr<FT_LibraryRec_> library, std::string const& path, int32_t index)
{
    if (!library)
        return nullptr;
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    std::shared_ptr<FontFileFace> opened(new FontFileFace(std::move(library), std::make_unique<Source>(descriptor)));
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || status.st_size <= 0)
        return nullptr;
    opened->stream_->size = static_cast<unsigned long>(status.st_size);
    opened->stream_->descriptor.value = descriptor;
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
