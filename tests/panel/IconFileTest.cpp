#include "panel/buttons/IconImage.h"
#include "platform/File.h"
#include "tests/panel/IconPicture.h"
#include "tests/support/BoxEvent.h"
#include "tests/support/IconWriter.h"
#include "tests/support/TestDevice.h"
#include "tests/support/TraceMatchers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <string>
#include <vector>

using namespace panel;
using icon_test::PixelsOf;
using testing_support::BoxEvent;
using testing_support::IconEntry;
using testing_support::IconFile;
using testing_support::IsEvent;
using testing_support::SolidEntry;
using testing_support::TestDevice;
using testing_support::TraceEvent;

namespace {

std::string const kNotAnIcon = "Keine gültige Icondatei:";
std::string const kNoIcons = "Enthält keine Icons:";
std::string const kNo32Bit = "Kein 32Bit Icon gefunden:";

class IconFileTest : public ::testing::Test {
protected:
    // Read from \icons\test.ico with both limits `limit`.
    IconImage Read(std::string const& bytes, uint32_t limit)
    {
        device_.WriteBytes("icons/test.ico", bytes);
        IconImage image;
        ReadIconFile(image, u"\\icons\\test.ico", limit, limit);
        return image;
    }

    // The one box the last reading showed, if any.
    std::optional<TraceEvent> Message()
    {
        auto const boxes = device_.ParsedEvents("msgbox");
        std::optional<TraceEvent> message;
        if (boxes.size() > seen_)
            message = boxes.back();
        EXPECT_LE(boxes.size(), seen_ + 1);
        seen_ = boxes.size();
        return message;
    }

    static testing::Matcher<std::optional<TraceEvent>> Box(std::string const& caption)
    {
        return testing::Optional(IsEvent(BoxEvent(caption, R"(\icons\test.ico)", "error")));
    }

    static uint32_t Colour(IconImage const& image)
    {
        EXPECT_FALSE(image.IsEmpty());
        return image.IsEmpty() ? 0 : PixelsOf(image).front();
    }

    TestDevice device_;
    size_t seen_ = 0;
};

TEST_F(IconFileTest, PixelsArriveTopRowFirstAfterAHeaderOfAnySize)
{
    IconEntry entry;
    entry.width = 3;
    entry.height = 2;
    entry.pixels = { 0x01020304, 0x05060708, 0x090A0B0C, 0x80FF0000, 0x0000FF00, 0xFF0000FF };
    auto const image = Read(IconFile({ entry }).Bytes(), 3);
    EXPECT_EQ(image.Width(), 3u);
    EXPECT_EQ(image.Height(), 2u);
    EXPECT_EQ(PixelsOf(image), entry.pixels);

    entry.headerSize = 12;
    EXPECT_EQ(PixelsOf(Read(IconFile({ entry }).Bytes(), 3)), entry.pixels);
    EXPECT_EQ(Message(), std::nullopt);
}

TEST_F(IconFileTest, TheLargest32BitImageWithinTheLimitsIsChosen)
{
    IconFile const file({ SolidEntry(16, 0xFF000016), SolidEntry(32, 0xFF000032), SolidEntry(48, 0xFF000048) });
    auto const at32 = Read(file.Bytes(), 32);
    EXPECT_EQ(at32.Width(), 32u);
    EXPECT_EQ(at32.Height(), 32u);
    EXPECT_EQ(Colour(at32), 0xFF000032u);
    EXPECT_EQ(Colour(Read(file.Bytes(), 40)), 0xFF000032u);
    EXPECT_EQ(Colour(Read(file.Bytes(), 48)), 0xFF000048u);
    EXPECT_EQ(Colour(Read(file.Bytes(), 255)), 0xFF000048u);
    EXPECT_EQ(Colour(Read(file.Bytes(), 16)), 0xFF000016u);
    EXPECT_EQ(Message(), std::nullopt);

    // File order does not matter when each candidate is larger both ways.
    IconFile const reversed({ SolidEntry(48, 0xFF000048), SolidEntry(32, 0xFF000032), SolidEntry(16, 0xFF000016) });
    EXPECT_EQ(Colour(Read(reversed.Bytes(), 40)), 0xFF000032u);

    auto const tooSmall = Read(file.Bytes(), 8);
    EXPECT_TRUE(tooSmall.IsEmpty());
    EXPECT_EQ(tooSmall.Pixels(), nullptr);
    EXPECT_THAT(Message(), Box(kNo32Bit));

    // Both limits count on their own.
    device_.WriteBytes("icons/test.ico", file.Bytes());
    IconImage wide;
    ReadIconFile(wide, u"\\icons\\test.ico", 48, 20);
    EXPECT_EQ(Colour(wide), 0xFF000016u);
}

TEST_F(IconFileTest, AReplacementMustBeWiderAndTaller)
{
    auto wideNotTall = SolidEntry(32, 0xFF0000AA);
    wideNotTall.width = 48;
    wideNotTall.pixels.resize(48 * 32, 0xFF0000AA);
    auto tallNotWide = SolidEntry(32, 0xFF0000BB);
    tallNotWide.height = 48;
    tallNotWide.pixels.resize(32 * 48, 0xFF0000BB);
    IconFile const file({ SolidEntry(32, 0xFF000032), wideNotTall, tallNotWide, SolidEntry(32, 0xFF0000CC) });
    auto const image = Read(file.Bytes(), 48);
    EXPECT_EQ(image.Width(), 32u);
    EXPECT_EQ(image.Height(), 32u);
    // Equal sizes keep the earlier entry.
    EXPECT_EQ(Colour(image), 0xFF000032u);

    // First in the file, the wide entry is the one that stays.
    IconFile const wideFirst({ wideNotTall, SolidEntry(32, 0xFF000032) });
    auto const wide = Read(wideFirst.Bytes(), 48);
    EXPECT_EQ(wide.Width(), 48u);
    EXPECT_EQ(wide.Height(), 32u);
    EXPECT_EQ(Message(), std::nullopt);
}

TEST_F(IconFileTest, OnlyEntriesOf32BitsCount)
{
    auto eight = SolidEntry(32, 0);
    eight.bitsPerPixel = 8;
    auto twentyFour = SolidEntry(32, 0);
    twentyFour.bitsPerPixel = 24;
    EXPECT_TRUE(Read(IconFile({ eight, twentyFour }).Bytes(), 48).IsEmpty());
    EXPECT_THAT(Message(), Box(kNo32Bit));
    EXPECT_TRUE(Read(IconFile({ twentyFour }).Bytes(), 48).IsEmpty());
    EXPECT_THAT(Message(), Box(kNo32Bit));

    auto const mixed = Read(IconFile({ twentyFour, SolidEntry(16, 0xFF000016), eight }).Bytes(), 48);
    EXPECT_EQ(mixed.Width(), 16u);
    EXPECT_EQ(Message(), std::nullopt);
}

TEST_F(IconFileTest, A256PixelEntryGivesAnEmptyImageWithoutMessage)
{
    IconFile const file({ SolidEntry(0, 0xFF000000), SolidEntry(16, 0xFF000016) });
    EXPECT_TRUE(Read(file.Bytes(), 0).IsEmpty());
    EXPECT_EQ(Message(), std::nullopt);
    // A wanted size of 0 admits nothing else.
    EXPECT_TRUE(Read(IconFile({ SolidEntry(16, 0xFF000016) }).Bytes(), 0).IsEmpty());
    EXPECT_THAT(Message(), Box(kNo32Bit));
    // A real image that is larger both ways replaces it.
    EXPECT_EQ(Read(file.Bytes(), 16).Width(), 16u);
}

TEST_F(IconFileTest, FilesThatAreNoIconFilesAreRejected)
{
    // A cursor file, a reserved field that is not 0, a type with its bytes swapped.
    for (auto [reserved, type] : { std::pair(0, 2), std::pair(1, 1), std::pair(0, 0x100) }) {
        IconFile file({ SolidEntry(16, 0xFF000016) });
        file.reserved = uint16_t(reserved);
        file.type = uint16_t(type);
        EXPECT_TRUE(Read(file.Bytes(), 16).IsEmpty());
        EXPECT_THAT(Message(), Box(kNotAnIcon));
    }
    EXPECT_TRUE(Read(std::string("BM\x46\0\0\0\0\0\0\0\x36\0\0\0", 14), 16).IsEmpty());
    EXPECT_THAT(Message(), Box(kNotAnIcon));
    // Too short to hold the header at all.
    EXPECT_TRUE(Read(std::string("\0\0\1", 3), 16).IsEmpty());
    EXPECT_THAT(Message(), Box(kNotAnIcon));

    EXPECT_TRUE(Read(IconFile().Bytes(), 16).IsEmpty());
    EXPECT_THAT(Message(), Box(kNoIcons));
    IconFile countless({ SolidEntry(16, 0xFF000016) });
    countless.count = 0;
    EXPECT_TRUE(Read(countless.Bytes(), 16).IsEmpty());
    EXPECT_THAT(Message(), Box(kNoIcons));
}

TEST_F(IconFileTest, EmptyAndMissingFilesGiveNoImageAndNoMessage)
{
    EXPECT_TRUE(Read("", 32).IsEmpty());
    IconImage missing;
    ReadIconFile(missing, u"\\icons\\missing.ico", 32, 32);
    EXPECT_TRUE(missing.IsEmpty());
    EXPECT_EQ(Message(), std::nullopt);

    // A failed reading also empties an image that held one.
    IconImage reused = Read(IconFile({ SolidEntry(16, 0xFF000016) }).Bytes(), 16);
    ASSERT_FALSE(reused.IsEmpty());
    ReadIconFile(reused, u"\\icons\\missing.ico", 32, 32);
    EXPECT_TRUE(reused.IsEmpty());
}

TEST_F(IconFileTest, NothingTheFileLocatesMayLiePastItsEnd)
{
    std::string const good = IconFile({ SolidEntry(2, 0xFF000002) }).Bytes();
    size_t const pixelsEnd = 6 + 16 + 40 + 2 * 2 * 4;

    // The directory claims more entries than the file holds.
    IconFile overcounted({ SolidEntry(2, 0xFF000002) });
    overcounted.count = 7;
    EXPECT_TRUE(Read(overcounted.Bytes(), 2).IsEmpty());
    EXPECT_THAT(Message(), Box(kNotAnIcon));
    EXPECT_TRUE(Read(good.substr(0, 6 + 15), 2).IsEmpty());
    EXPECT_THAT(Message(), Box(kNotAnIcon));

    // The image data begin, or their header ends, or their pixels end past the end.
    for (uint32_t offset : { uint32_t(good.size()), uint32_t(good.size() - 3), 0xFFFFFFF0u, 0xFFFFFFFFu }) {
        auto entry = SolidEntry(2, 0xFF000002);
        entry.offset = offset;
        EXPECT_TRUE(Read(IconFile({ entry }).Bytes(), 2).IsEmpty()) << offset;
        EXPECT_THAT(Message(), Box(kNotAnIcon)) << offset;
    }
    for (uint32_t headerSize : { 0xFFFFFFFFu, 0x80000000u, uint32_t(good.size()) }) {
        auto entry = SolidEntry(2, 0xFF000002);
        entry.headerSize = headerSize;
        auto bytes = IconFile({ entry }).Bytes();
        bytes.resize(good.size());
        EXPECT_TRUE(Read(bytes, 2).IsEmpty()) << headerSize;
        EXPECT_THAT(Message(), Box(kNotAnIcon)) << headerSize;
    }
    EXPECT_TRUE(Read(good.substr(0, pixelsEnd - 1), 2).IsEmpty());
    EXPECT_THAT(Message(), Box(kNotAnIcon));

    // Pixels that end right at the end of the file are all there; the mask is not needed.
    EXPECT_EQ(Colour(Read(good.substr(0, pixelsEnd), 2)), 0xFF000002u);
    // Only the chosen entry's data are looked at.
    auto broken = SolidEntry(4, 0xFF000004);
    broken.offset = 0xFFFFFFF0u;
    EXPECT_EQ(Colour(Read(IconFile({ SolidEntry(2, 0xFF000002), broken }).Bytes(), 2)), 0xFF000002u);
    EXPECT_EQ(Message(), std::nullopt);
}

TEST_F(IconFileTest, HugeFilesAreNotReadIntoMemory)
{
    std::string bytes = IconFile({ SolidEntry(2, 0xFF000002) }).Bytes();
    bytes.resize((16u << 20) + 1);
    EXPECT_TRUE(Read(bytes, 2).IsEmpty());
    EXPECT_THAT(Message(), Box(kNotAnIcon));
    bytes.resize(16u << 20);
    EXPECT_EQ(Colour(Read(bytes, 2)), 0xFF000002u);
}

TEST_F(IconFileTest, AnOpenFileInMemoryReadsTheSame)
{
    std::string const bytes = IconFile({ SolidEntry(16, 0xFF000016), SolidEntry(32, 0xFF000032) }).Bytes();
    platform::File file(std::make_unique<platform::MemoryFileStream>(std::vector<uint8_t>(bytes.begin(), bytes.end())));
    IconImage image;
    ReadIconFile(image, file, u"memory", 24, 24);
    EXPECT_EQ(Colour(image), 0xFF000016u);
    EXPECT_EQ(Message(), std::nullopt);
}

}
