#include "platform/Drawing.h"
#include "platform/File.h"
#include "tests/platform/draw/DrawTestSupport.h"
#include "tests/support/BmpWriter.h"
#include "tests/support/TestDevice.h"
#include "tests/support/PixelNames.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using namespace platform;
using testing_support::BmpFile;
using testing_support::IndexRow;
using testing_support::Row16;
using testing_support::Row24;
using testing_support::Row32;
using testing_support::SectionDc;
using testing_support::TestDevice;

namespace {

using Pixels = std::vector<std::vector<uint32_t>>; // rows from the top

using namespace testing_support::pixels;

// The picture most files below hold: three columns, two rows.
Pixels const kPicture = { { kRed, kGreen, kBlue }, { kWhite, kBlack, kYellow } };

class BitmapFileTest : public ::testing::Test {
protected:
    // The pixels of the file as it loads, or none when it is refused.
    std::optional<Pixels> Load(std::string const& bytes)
    {
        device_.WriteBytes("picture.bmp", bytes);
        BitmapHandle bitmap = LoadBitmapFile(u"\\picture.bmp");
        if (!bitmap)
            return std::nullopt;
        return Read(bitmap);
    }
    std::optional<Pixels> Load(BmpFile const& file) { return Load(file.Bytes()); }

    static Pixels Read(BitmapHandle bitmap)
    {
        Size size;
        EXPECT_TRUE(GetBitmapSize(bitmap, size));
        DeviceContext dc = CreateCompatibleDC({});
        BitmapHandle previous = SelectObject(dc, bitmap);
        SectionDc copy(size.width, size.height, 0x5A5A5A);
        EXPECT_TRUE(BitBlt(copy.Dc(), 0, 0, size.width, size.height, dc, 0, 0, kSourceCopy));
        SelectObject(dc, previous);
        DeleteDC(dc);
        EXPECT_TRUE(DeleteObject(bitmap));
        Pixels pixels(size_t(size.height));
        for (int32_t y = 0; y < size.height; ++y) {
            for (int32_t x = 0; x < size.width; ++x)
                pixels[size_t(y)].push_back(copy.At(x, y));
        }
        return pixels;
    }

    // A 24-bit file of the picture, rows bottom-up.
    static BmpFile Plain()
    {
        BmpFile file;
        file.width = 3;
        file.height = 2;
        file.rows = { Row24(kPicture[1]), Row24(kPicture[0]) };
        return file;
    }

    // The picture through a palette whose entries are in a shuffled order.
    static BmpFile Indexed(int bits)
    {
        BmpFile file;
        file.width = 3;
        file.height = 2;
        file.bitCount = uint16_t(bits);
        file.palette = { kBlack, kYellow, kBlue, kWhite, kGreen, kRed };
        file.rows = { IndexRow(bits, { 3, 0, 1 }), IndexRow(bits, { 5, 4, 2 }) };
        return file;
    }

    TestDevice device_;
};

}

TEST_F(BitmapFileTest, EveryUncompressedDepthLoadsTheSamePicture)
{
    EXPECT_EQ(Load(Plain()), kPicture);

    BmpFile topDown = Plain();
    topDown.height = -2;
    topDown.rows = { Row24(kPicture[0]), Row24(kPicture[1]) };
    EXPECT_EQ(Load(topDown), kPicture);

    // The fourth byte of 32-bit pixels is not colour.
    BmpFile wide = Plain();
    wide.bitCount = 32;
    wide.rows = { Row32({ 0x77FFFFFF, 0x77000000, 0x77FFFF00 }), Row32({ 0xFFFF0000, 0x0000FF00, 0x000000FF }) };
    EXPECT_EQ(Load(wide), kPicture);

    EXPECT_EQ(Load(Indexed(8)), kPicture);
    EXPECT_EQ(Load(Indexed(4)), kPicture);

    BmpFile mono;
    mono.width = 10;
    mono.height = 2;
    mono.bitCount = 1;
    mono.palette = { kBlue, kYellow };
    mono.rows = { IndexRow(1, { 1, 1, 1, 1, 1, 1, 1, 1, 1, 0 }), IndexRow(1, { 0, 1, 0, 1, 0, 1, 0, 1, 0, 1 }) };
    Pixels stripes = { { kBlue, kYellow, kBlue, kYellow, kBlue, kYellow, kBlue, kYellow, kBlue, kYellow },
        { kYellow, kYellow, kYellow, kYellow, kYellow, kYellow, kYellow, kYellow, kYellow, kBlue } };
    EXPECT_EQ(Load(mono), stripes);
}

TEST_F(BitmapFileTest, SixteenBitPixelsAreFiveFiveFiveUnlessMasksSayOtherwise)
{
    BmpFile file;
    file.width = 3;
    file.height = 1;
    file.bitCount = 16;
    // 5-5-5: full red, full green, and blue at 16 of 31 (132 of 255).
    file.rows = { Row16({ 0x7C00, 0x03E0, 0x0010 }) };
    EXPECT_EQ(Load(file), (Pixels { { kRed, kGreen, 0x000084 } }));

    // 5-6-5, with green at 32 of 63 (130 of 255).
    file.compression = 3;
    file.masks = { 0xF800, 0x07E0, 0x001F };
    file.rows = { Row16({ 0xF800, 0x0400, 0x001F }) };
    EXPECT_EQ(Load(file), (Pixels { { kRed, 0x008200, kBlue } }));

    // The same masks inside a version 5 header.
    file.headerSize = 124;
    EXPECT_EQ(Load(file), (Pixels { { kRed, 0x008200, kBlue } }));
}

TEST_F(BitmapFileTest, ThirtyTwoBitMasksMayPlaceTheChannelsAnywhere)
{
    BmpFile file;
    file.width = 3;
    file.height = 1;
    file.bitCount = 32;
    file.compression = 3;
    // Red in the low byte; blue a ten-bit channel whose top eight bits count.
    file.masks = { 0x000000FF, 0x0000FF00, 0x3FF00000 };
    file.rows = { Row32({ 0x000000FF, 0x0000FF00, 0x3FC00000 }) };
    EXPECT_EQ(Load(file), (Pixels { { kRed, kGreen, kBlue } }));
}

TEST_F(BitmapFileTest, EveryHeaderSizeOfThePlatformIsRead)
{
    for (uint32_t size : { 40u, 52u, 56u, 108u, 124u }) {
        BmpFile file = Plain();
        file.headerSize = size;
        EXPECT_EQ(Load(file), kPicture) << "header of " << size << " bytes";
    }
    // The oldest header: 16-bit sizes and three-byte palette entries.
    BmpFile core = Indexed(8);
    core.headerSize = 12;
    EXPECT_EQ(Load(core), kPicture);
    core = Plain();
    core.headerSize = 12;
    EXPECT_EQ(Load(core), kPicture);
}

TEST_F(BitmapFileTest, RunLengthEncodedFilesOfEightAndFourBits)
{
    BmpFile file;
    file.width = 4;
    file.height = 3;
    file.bitCount = 8;
    file.compression = 1;
    file.palette = { kBlack, kRed, kGreen, kBlue };
    // Bottom row: two runs. Middle: a literal stretch of three (padded), one
    // pixel left alone. Top: a jump of two columns, then a run past the edge.
    file.rows = { std::string("\x02\x01\x02\x02\x00\x00"
                              "\x00\x03\x01\x02\x03\x00\x00\x00"
                              "\x00\x02\x02\x00\x05\x03\x00\x01",
        22) };
    EXPECT_EQ(Load(file), (Pixels { { kBlack, kBlack, kBlue, kBlue }, { kRed, kGreen, kBlue, kBlack }, { kRed, kRed, kGreen, kGreen } }));

    BmpFile nibbles;
    nibbles.width = 8;
    nibbles.height = 1;
    nibbles.bitCount = 4;
    nibbles.compression = 2;
    nibbles.palette = { kBlack, kRed, kGreen, kBlue, kWhite, kYellow };
    // Five alternating nibbles of a run, then a literal stretch of three.
    nibbles.rows = { std::string("\x05\x12\x00\x03\x34\x50\x00\x01", 8) };
    EXPECT_EQ(Load(nibbles), (Pixels { { kRed, kGreen, kRed, kGreen, kRed, kBlue, kWhite, kYellow } }));
}

TEST_F(BitmapFileTest, ForgivableFlawsStillLoad)
{
    // The last row's padding is missing.
    std::string bytes = Plain().Bytes();
    EXPECT_EQ(Load(bytes.substr(0, bytes.size() - 3)), kPicture);

    // Palette indexes beyond the palette are black.
    BmpFile shortPalette = Indexed(8);
    shortPalette.palette.resize(2);
    shortPalette.colorsUsed = 2;
    EXPECT_EQ(Load(shortPalette), (Pixels { { kBlack, kBlack, kBlack }, { kBlack, kBlack, kYellow } }));

    // A palette said to be longer than its depth allows.
    BmpFile longPalette = Indexed(4);
    longPalette.colorsUsed = 4000;
    EXPECT_EQ(Load(longPalette), kPicture);

    // Encoded rows above the top are ignored, even without an end mark.
    BmpFile encoded;
    encoded.width = 2;
    encoded.height = 1;
    encoded.bitCount = 8;
    encoded.compression = 1;
    encoded.palette = { kBlack, kRed };
    encoded.rows = { std::string("\x02\x01\x00\x00\x02\x01", 6) };
    EXPECT_EQ(Load(encoded), (Pixels { { kRed, kRed } }));
}

TEST_F(BitmapFileTest, BrokenFilesAreRefused)
{
    std::string const good = Plain().Bytes();
    EXPECT_EQ(LoadBitmapFile(u"\\missing.bmp"), BitmapHandle {});
    EXPECT_EQ(Load(std::string()), std::nullopt);
    EXPECT_EQ(Load("BA" + good.substr(2)), std::nullopt);
    EXPECT_EQ(Load(good.substr(0, 30)), std::nullopt) << "truncated header";
    EXPECT_EQ(Load(good.substr(0, good.size() - 4)), std::nullopt) << "truncated pixels";

    auto broken = [&](auto change) {
        BmpFile file = Plain();
        change(file);
        return Load(file);
    };
    EXPECT_EQ(broken([](BmpFile& f) { f.headerSize = 64; }), std::nullopt);
    EXPECT_EQ(broken([](BmpFile& f) { f.headerSize = 20; }), std::nullopt);
    EXPECT_EQ(broken([](BmpFile& f) { f.width = 0; }), std::nullopt);
    EXPECT_EQ(broken([](BmpFile& f) { f.width = -3; }), std::nullopt);
    EXPECT_EQ(broken([](BmpFile& f) { f.height = 0; }), std::nullopt);
    EXPECT_EQ(broken([](BmpFile& f) { f.height = INT32_MIN; }), std::nullopt);
    EXPECT_EQ(broken([](BmpFile& f) { f.width = 20000; }), std::nullopt);
    EXPECT_EQ(broken([](BmpFile& f) { f.width = 16384, f.height = 16384; }), std::nullopt) << "too many pixels";
    EXPECT_EQ(broken([](BmpFile& f) { f.width = 5000, f.height = 3000; }), std::nullopt) << "pixels missing";
    EXPECT_EQ(broken([](BmpFile& f) { f.bitCount = 7; }), std::nullopt);
    EXPECT_EQ(broken([](BmpFile& f) { f.compression = 4; }), std::nullopt) << "embedded JPEG";
    EXPECT_EQ(broken([](BmpFile& f) { f.compression = 1; }), std::nullopt) << "RLE8 of 24 bits";
    EXPECT_EQ(broken([](BmpFile& f) { f.compression = 3; }), std::nullopt) << "masks for 24 bits";
    EXPECT_EQ(broken([](BmpFile& f) { f.dataOffset = 1 << 20; }), std::nullopt) << "pixels beyond the end";
    EXPECT_EQ(broken([](BmpFile& f) { f.dataOffset = 20; }), std::nullopt) << "pixels inside the header";

    BmpFile noPalette = Indexed(8);
    noPalette.palette.clear();
    EXPECT_EQ(Load(noPalette), std::nullopt);

    auto masked = [&](std::vector<uint32_t> masks, uint16_t bitCount = 16) {
        BmpFile file;
        file.width = 1;
        file.height = 1;
        file.bitCount = bitCount;
        file.compression = 3;
        file.masks = std::move(masks);
        file.rows = { std::string(4, '\0') };
        return Load(file);
    };
    EXPECT_NE(masked({ 0xF800, 0x07E0, 0x001F }), std::nullopt);
    EXPECT_EQ(masked({ 0xF800, 0x0FE0, 0x001F }), std::nullopt) << "overlapping";
    EXPECT_EQ(masked({ 0xF800, 0x07E0, 0x0019 }), std::nullopt) << "not contiguous";
    EXPECT_EQ(masked({ 0xF8000, 0x07E0, 0x001F }), std::nullopt) << "wider than the pixel";
    EXPECT_EQ(masked({ 0, 0, 0 }, 32), std::nullopt) << "no colour at all";

    auto encoded = [&](std::string stream, int32_t height = 1) {
        BmpFile file;
        file.width = 4;
        file.height = height;
        file.bitCount = 8;
        file.compression = 1;
        file.palette = { kBlack, kRed };
        file.rows = { std::move(stream) };
        return Load(file);
    };
    EXPECT_NE(encoded(std::string("\x04\x01\x00\x01", 4)), std::nullopt);
    EXPECT_EQ(encoded(std::string("\x04\x01", 2)), std::nullopt) << "no end mark";
    EXPECT_EQ(encoded(std::string("\x00\x04\x01\x01", 4)), std::nullopt) << "literal stretch cut short";
    EXPECT_EQ(encoded(std::string("\x00\x02\x01", 3)), std::nullopt) << "jump cut short";
    EXPECT_EQ(encoded(std::string("\x04\x01\x00\x01", 4), -1), std::nullopt) << "encoded top-down";
}

TEST_F(BitmapFileTest, ReadsFromAnOpenFileAtItsPosition)
{
    std::string bytes = "prefix" + Plain().Bytes();
    File file(std::make_unique<MemoryFileStream>(std::vector<uint8_t>(bytes.begin(), bytes.end())));
    char prefix[6];
    ASSERT_EQ(file.Read(prefix, sizeof prefix), sizeof prefix);
    BitmapHandle bitmap = LoadBitmapFile(file);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(Read(bitmap), kPicture);

    File empty;
    EXPECT_FALSE(LoadBitmapFile(empty));
}
