#include "platform/draw/FontMatcher.h"

#include "platform/Utf.h"

#include <fontconfig/fontconfig.h>

#if defined(__SANITIZE_ADDRESS__)
#define VESSARINE_LEAK_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESSARINE_LEAK_CHECKED 1
#endif
#endif

#ifdef VESSARINE_LEAK_CHECKED
// fontconfig 2.14 loses a few hundred bytes while it parses its configuration,
// once per process; that is not ours to report.
extern "C" __attribute__((used, visibility("default"))) char const* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif

namespace platform {

namespace {

bool EnsureFontconfig()
{
    static bool const ready = FcInit() == FcTrue;
    return ready;
}

void AddFamily(FcPattern* pattern, std::string const& family)
{
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<FcChar8 const*>(family.c_str()));
}

}

std::optional<FontFile> MatchFont(std::u16string_view family, int32_t weight, bool italic)
{
    if (!EnsureFontconfig())
        return std::nullopt;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return std::nullopt;
    if (family.empty()) {
        for (char const* fallback : { "Tahoma", "DejaVu Sans", "sans-serif" })
            AddFamily(pattern, fallback);
    } else {
        // Added as a plain value, never parsed: a face name may hold any character.
        AddFamily(pattern, ToUtf8(family));
    }
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return std::nullopt;

    std::optional<FontFile> found;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path) {
        FontFile file;
        file.path = reinterpret_cast<char const*>(path);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            file.index = index;
        FcBool embolden = FcFalse;
        if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch)
            file.embolden = embolden == FcTrue;
        found = std::move(file);
    }
    FcPatternDestroy(match);
    return found;
}

}
