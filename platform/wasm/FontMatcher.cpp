#include "platform/draw/FontMatcher.h"
#include "platform/wasm/MissingFonts.h"

#include "platform/TextCase.h"

#include <array>
#include <cstdlib>
#include <set>
#include <sys/stat.h>

// In the browser and under node there is no fontconfig: the DejaVu faces lie
// as files in one folder of the module's file system (VESSARINE_FONTS, else
// /fonts), and a face is chosen by family, weight and slant the way
// fontconfig chooses among the same files on a Linux desktop.

namespace platform {

namespace {

struct Face {
    char const* file;
    int weight; // on fontconfig's scale: 80 regular, 200 bold
    bool italic;
};

struct Family {
    std::u16string_view name;
    std::array<Face, 5> faces;
};

constexpr Face kNoFace { nullptr, 0, false };

Family const kSans { u"DejaVu Sans",
    { Face { "DejaVuSans.ttf", 80, false }, { "DejaVuSans-Bold.ttf", 200, false },
        { "DejaVuSans-Oblique.ttf", 80, true }, { "DejaVuSans-BoldOblique.ttf", 200, true },
        { "DejaVuSans-ExtraLight.ttf", 40, false } } };
Family const kMono { u"DejaVu Sans Mono",
    { Face { "DejaVuSansMono.ttf", 80, false }, { "DejaVuSansMono-Bold.ttf", 200, false },
        { "DejaVuSansMono-Oblique.ttf", 80, true }, { "DejaVuSansMono-BoldOblique.ttf", 200, true }, kNoFace } };
Family const kSerif { u"DejaVu Serif",
    { Face { "DejaVuSerif.ttf", 80, false }, { "DejaVuSerif-Bold.ttf", 200, false },
        { "DejaVuSerif-Italic.ttf", 80, true }, { "DejaVuSerif-BoldItalic.ttf", 200, true }, kNoFace } };

// Names of faces a layout written on Windows may ask for, by the kind of DejaVu
// face that stands in for them; any other name gets DejaVu Sans.
constexpr std::u16string_view kMonospaced[] = { u"monospace", u"Courier", u"Courier New", u"Consolas",
    u"Lucida Console", u"Fixedsys", u"Terminal" };
constexpr std::u16string_view kSerifed[] = { u"serif", u"Times", u"Times New Roman", u"Georgia",
    u"Cambria", u"Book Antiqua", u"Palatino Linotype" };

bool SameName(std::u16string_view left, std::u16string_view right)
{
    return LowerCase(left) == LowerCase(right);
}

Family const& FamilyFor(std::u16string_view name)
{
    for (Family const* family : { &kSans, &kMono, &kSerif }) {
        if (SameName(name, family->name))
            return *family;
    }
    for (std::u16string_view alias : kMonospaced) {
        if (SameName(name, alias))
            return kMono;
    }
    for (std::u16string_view alias : kSerifed) {
        if (SameName(name, alias))
            return kSerif;
    }
    return kSans;
}

// A logical font's weight (400 regular, 700 bold) on fontconfig's scale.
double FontconfigWeight(int32_t weight)
{
    constexpr std::array<std::pair<double, double>, 12> kScale { { { 100, 0 }, { 200, 40 }, { 300, 50 },
        { 350, 55 }, { 380, 75 }, { 400, 80 }, { 500, 100 }, { 600, 180 }, { 700, 200 }, { 800, 205 },
        { 900, 210 }, { 1000, 215 } } };
    if (weight <= kScale.front().first)
        return kScale.front().second;
    for (size_t i = 1; i < kScale.size(); ++i) {
        auto [high, highWeight] = kScale[i];
        auto [low, lowWeight] = kScale[i - 1];
        if (weight <= high)
            return lowWeight + (highWeight - lowWeight) * (weight - low) / (high - low);
    }
    return kScale.back().second;
}

std::string FontFolder()
{
    char const* folder = std::getenv("VESSARINE_FONTS");
    return folder && *folder ? folder : "/fonts";
}

std::set<std::string>& Missing()
{
    static std::set<std::string> missing;
    return missing;
}

bool IsFile(std::string const& path)
{
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

}

std::optional<FontFile> MatchFont(std::u16string_view family, int32_t weight, bool italic)
{
    Family const& chosen = FamilyFor(family);
    double wanted = FontconfigWeight(weight);
    Face const* best = nullptr;
    double bestDistance = 0;
    for (Face const& face : chosen.faces) {
        if (!face.file || face.italic != italic)
            continue;
        double distance = wanted > face.weight ? wanted - face.weight : face.weight - wanted;
        if (!best || distance < bestDistance) {
            best = &face;
            bestDistance = distance;
        }
    }
    std::string path = FontFolder() + "/" + best->file;
    if (!IsFile(path)) {
        Missing().insert(best->file);
        return std::nullopt;
    }
    return FontFile { path, 0, false };
}

std::vector<std::string> TakeMissingFonts()
{
    std::vector<std::string> files(Missing().begin(), Missing().end());
    Missing().clear();
    return files;
}

}
