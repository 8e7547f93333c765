#include "platform/draw/FontMatcher.h"

#include "platform/win32/SystemFont.h"

namespace platform {

namespace {

constexpr int32_t kBoldWeight = 600;

// The default face is the first of these that is installed; without any,
// whatever sans-serif face the system picks for no name.
constexpr std::u16string_view kDefaultFaces[] = { u"Tahoma", u"DejaVu Sans" };

std::unique_ptr<win32::SystemFont> ChooseDefault(int32_t weight, bool italic)
{
    for (std::u16string_view face : kDefaultFaces) {
        auto chosen = win32::SystemFont::Choose(face, weight, italic);
        if (chosen && chosen->FaceName() == face)
            return chosen;
    }
    return win32::SystemFont::Choose(u"", weight, italic);
}

}

std::optional<FontFile> MatchFont(std::u16string_view family, int32_t weight, bool italic)
{
    auto chosen = family.empty() ? ChooseDefault(weight, italic) : win32::SystemFont::Choose(family, weight, italic);
    if (!chosen)
        return std::nullopt;
    FontFile file;
    file.path = chosen->Key();
    file.embolden = weight >= kBoldWeight && !chosen->FileIsBold();
    return file;
}

}
