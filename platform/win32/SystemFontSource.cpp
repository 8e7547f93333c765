#include "platform/draw/FontSource.h"

#include "platform/win32/SystemFont.h"

namespace platform {

namespace {

// The system's font, whose file's bytes it reads on demand.
class SystemFontSource final : public FontSource {
public:
    explicit SystemFontSource(std::unique_ptr<win32::SystemFont> font) : font_(std::move(font)) { }

    uint64_t Size() const override { return font_->FileSize(); }

    size_t ReadAt(uint64_t offset, unsigned char* buffer, size_t count) const override
    {
        return size_t(font_->ReadFile(offset, buffer, count));
    }

private:
    std::unique_ptr<win32::SystemFont> font_;
};

}

std::unique_ptr<FontSource> OpenFontSource(std::string const& path)
{
    auto font = win32::SystemFont::FromKey(path);
    if (!font)
        return nullptr;
    return std::make_unique<SystemFontSource>(std::move(font));
}

}
