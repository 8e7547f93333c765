#pragma once

// The bytes of a font file as the host reads them: through a file descriptor
// where fontconfig finds the fonts (platform/host/), from the system's own
// font on Windows (platform/win32/).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class FontSource {
public:
    virtual ~FontSource() = default;
    virtual uint64_t Size() const = 0;
    // Up to `count` bytes from `offset`; fewer at the end or on an error.
    virtual size_t ReadAt(uint64_t offset, unsigned char* buffer, size_t count) const = 0;
};

// None when `path`, as the host's font matcher gave it, cannot be read.
std::unique_ptr<FontSource> OpenFontSource(std::string const& path);

}
