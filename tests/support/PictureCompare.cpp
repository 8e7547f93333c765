#include "tests/support/PictureCompare.h"

#include <cstdio>
#include <cstdlib>

namespace testing_support {

namespace fs = std::filesystem;

namespace {

std::string Hex(uint32_t pixel)
{
    char text[8];
    std::snprintf(text, sizeof text, "%06X", pixel & 0xFFFFFF);
    return text;
}

std::string Size(Picture const& picture)
{
    return std::to_string(picture.width) + "x" + std::to_string(picture.height);
}

// As the user would copy it: a path streamed as such has its Windows
// separators escaped.
std::string Quoted(fs::path const& path)
{
    return '"' + path.string() + '"';
}

fs::path ActualPath(fs::path const& expected)
{
    return expected.parent_path() / (expected.stem().string() + ".actual.png");
}

}

bool UpdatingExpected()
{
    char const* update = std::getenv("UPDATE_EXPECTED");
    return update && *update && std::string(update) != "0";
}

std::string PictureDifference(Picture const& actual, Picture const& expected, size_t listed)
{
    if (actual.width != expected.width || actual.height != expected.height
        || actual.pixels.size() != expected.pixels.size())
        return "the picture is " + Size(actual) + ", expected " + Size(expected);
    size_t differing = 0;
    std::string first;
    for (int32_t y = 0; y < actual.height; ++y) {
        for (int32_t x = 0; x < actual.width; ++x) {
            if (actual.At(x, y) == expected.At(x, y) || differing++ >= listed)
                continue;
            first += "\n  (" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(actual.At(x, y))
                + ", expected " + Hex(expected.At(x, y));
        }
    }
    if (differing == 0)
        return {};
    return std::to_string(differing) + " of " + std::to_string(actual.pixels.size()) + " pixels differ"
        + (differing > listed ? ", the first " + std::to_string(listed) : "") + ":" + first;
}

testing::AssertionResult MatchesExpectedPicture(Picture const& actual, fs::path const& expected)
{
    if (UpdatingExpected()) {
        if (!WritePng(actual, expected))
            return testing::AssertionFailure() << "cannot write " << Quoted(expected);
        return testing::AssertionSuccess() << "wrote " << Quoted(expected);
    }
    std::optional<Picture> stored = ReadPng(expected);
    if (!stored)
        return testing::AssertionFailure() << "no picture at " << Quoted(expected) << "; UPDATE_EXPECTED=1 makes it";
    fs::path kept = ActualPath(expected);
    std::string difference = PictureDifference(actual, *stored);
    if (difference.empty()) {
        std::error_code ignored;
        fs::remove(kept, ignored); // left by an earlier failing run
        return testing::AssertionSuccess();
    }
    bool written = WritePng(actual, kept);
    return testing::AssertionFailure() << difference << "\ncompared with " << Quoted(expected)
                                       << (written ? "; this run's picture is " : "; cannot write this run's picture to ")
                                       << Quoted(kept);
}

}
