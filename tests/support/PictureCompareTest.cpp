#include "tests/support/PictureCompare.h"
#include "tests/support/TemporaryFolder.h"

#include <gtest/gtest.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

Picture Filled(int32_t width, int32_t height, uint32_t pixel)
{
    return { width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pixel) };
}

class PictureFiles : public testing::Test {
protected:
    void SetUp() override
    {
        if (UpdatingExpected())
            GTEST_SKIP() << "UPDATE_EXPECTED writes pictures instead of comparing them";
        folder_ = MakeTemporaryFolder("picture-compare-");
    }
    void TearDown() override
    {
        if (!folder_.empty())
            fs::remove_all(folder_);
    }

    fs::path folder_;
};

}

TEST(PictureDifference, NoneForTheSamePicture)
{
    EXPECT_EQ(PictureDifference(Filled(3, 2, 0x123456), Filled(3, 2, 0x123456)), "");
}

TEST(PictureDifference, NamesBothSizes)
{
    EXPECT_EQ(PictureDifference(Filled(3, 2, 0), Filled(2, 3, 0)), "the picture is 3x2, expected 2x3");
}

TEST(PictureDifference, ListsTheFirstDifferingPixelsWithBothColours)
{
    Picture actual = Filled(4, 3, 0xF0F0E0);
    actual.pixels[1] = 0x203080;
    actual.pixels[2 * 4 + 3] = 0x000001;
    EXPECT_EQ(PictureDifference(actual, Filled(4, 3, 0xF0F0E0)),
        "2 of 12 pixels differ:\n  (1, 0) is 203080, expected F0F0E0\n  (3, 2) is 000001, expected F0F0E0");
    EXPECT_EQ(PictureDifference(Filled(4, 3, 0xFF0000), Filled(4, 3, 0xFF), 2),
        "12 of 12 pixels differ, the first 2:\n  (0, 0) is FF0000, expected 0000FF\n  (1, 0) is FF0000, expected 0000FF");
}

TEST_F(PictureFiles, PngKeepsEveryPixel)
{
    Picture picture = Filled(5, 4, 0x3A6EA5);
    picture.pixels[7] = 0xFFFFFF;
    picture.pixels[19] = 0x010203;
    ASSERT_TRUE(WritePng(picture, folder_ / "p.png"));
    EXPECT_EQ(ReadPng(folder_ / "p.png"), picture);
    EXPECT_EQ(ReadPng(folder_ / "missing.png"), std::nullopt);
}

TEST_F(PictureFiles, AMismatchKeepsThisRunsPictureBesideTheExpectedOne)
{
    fs::path expected = folder_ / "screen.png";
    fs::path kept = folder_ / "screen.actual.png";
    ASSERT_TRUE(WritePng(Filled(2, 2, 0), expected));
    Picture actual = Filled(2, 2, 0);
    actual.pixels[3] = 0xABCDEF;

    testing::AssertionResult result = MatchesExpectedPicture(actual, expected);
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("1 of 4 pixels differ:\n  (1, 1) is ABCDEF, expected 000000"),
        std::string::npos)
        << result.message();
    EXPECT_NE(std::string(result.message()).find(kept.string()), std::string::npos) << result.message();
    EXPECT_EQ(ReadPng(kept), actual);

    // A later run that matches takes the stale picture away.
    EXPECT_TRUE(MatchesExpectedPicture(Filled(2, 2, 0), expected));
    EXPECT_FALSE(fs::exists(kept));
}

TEST_F(PictureFiles, AMissingExpectedPictureFails)
{
    testing::AssertionResult result = MatchesExpectedPicture(Filled(1, 1, 0), folder_ / "none.png");
    EXPECT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("UPDATE_EXPECTED=1"), std::string::npos) << result.message();
}
