#include "platform/draw/FontSource.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

class FontFileSource final : public FontSource {
public:
    FontFileSource(int descriptor, uint64_t size) : descriptor_(descriptor), size_(size) { }
    ~FontFileSource() override { close(descriptor_); }
    FontFileSource(FontFileSource const&) = delete;
    FontFileSource& operator=(FontFileSource const&) = delete;

    uint64_t Size() const override { return size_; }

    size_t ReadAt(uint64_t offset, unsigned char* buffer, size_t count) const override
    {
        size_t done = 0;
        while (done < count) {
            ssize_t got = pread(descriptor_, buffer + done, count - done, off_t(offset + done));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += size_t(got);
        }
        return done;
    }

private:
    int descriptor_;
    uint64_t size_;
};

}

std::unique_ptr<FontSource> OpenFontSource(std::string const& path)
{
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || status.st_size <= 0) {
        close(descriptor);
        return nullptr;
    }
    return std::make_unique<FontFileSource>(descriptor, uint64_t(status.st_size));
}

}
