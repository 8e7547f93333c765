#pragma once

// Every test's comparison of a picture with the one it expects: a mismatch
// names the first differing pixels with both colours and keeps the picture
// this run made beside the expected file, as NAME.actual.png.
// UPDATE_EXPECTED=1 writes the expected files from this run instead.

#include "tests/support/Picture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace testing_support {

// UPDATE_EXPECTED is set: expected pictures and traces are written, not compared.
bool UpdatingExpected();

// Empty when the pictures are the same; else their sizes, or how many pixels
// differ and the first `listed` of them.
std::string PictureDifference(Picture const& actual, Picture const& expected, size_t listed = 5);

// Compares `actual` with the PNG file `expected`.
testing::AssertionResult MatchesExpectedPicture(Picture const& actual, std::filesystem::path const& expected);

}
