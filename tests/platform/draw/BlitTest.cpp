#include "platform/Drawing.h"
#include "platform/Windowing.h"
#include "tests/platform/draw/DrawTestSupport.h"
#include "tests/support/TestDevice.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace platform;
using testing_support::SectionDc;
using testing_support::TestDevice;

namespace {

using Grid = std::vector<std::vector<uint32_t>>;

Grid Snapshot(SectionDc const& section)
{
    Grid grid(size_t(section.Height()), std::vector<uint32_t>(size_t(section.Width())));
    for (int32_t y = 0; y < section.Height(); ++y) {
        for (int32_t x = 0; x < section.Width(); ++x)
            grid[size_t(y)][size_t(x)] = section.At(x, y);
    }
    return grid;
}

void Number(SectionDc& section)
{
    for (int32_t y = 0; y < section.Height(); ++y) {
        for (int32_t x = 0; x < section.Width(); ++x)
            section.Set(x, y, uint32_t(0x10000 * (y + 1) + x + 1));
    }
}

// What a block copy means: every pixel whose source and destination both lie
// in their pictures takes the source's value from before the copy began.
Grid ExpectedCopy(Grid const& to, Grid const& from, int32_t x, int32_t y, int32_t width, int32_t height, int32_t sourceX,
    int32_t sourceY)
{
    Grid result = to;
    auto inside = [](Grid const& grid, int64_t cx, int64_t cy) {
        return cy >= 0 && cy < int64_t(grid.size()) && cx >= 0 && cx < int64_t(grid[0].size());
    };
    for (int64_t j = 0; j < height; ++j) {
        for (int64_t i = 0; i < width; ++i) {
            if (inside(to, x + i, y + j) && inside(from, sourceX + i, sourceY + j))
                result[size_t(y + j)][size_t(x + i)] = from[size_t(sourceY + j)][size_t(sourceX + i)];
        }
    }
    return result;
}

LResult PlainProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    return DefWindowProc(window, message, wParam, lParam);
}

}

TEST(Sections, RowsAreStoredBottomUpFourBytesAPixel)
{
    TestDevice device;
    SectionDc section(3, 2, 0);
    ASSERT_TRUE(FillRect(section.Dc(), { 0, 0, 1, 1 }, CreateSolidBrush(Rgb(0xAA, 0xBB, 0xCC))));
    ASSERT_TRUE(FillRect(section.Dc(), { 0, 1, 1, 2 }, CreateSolidBrush(Rgb(0x11, 0x22, 0x33))));
    uint8_t const* bits = section.Bits();
    // Top-left at byte 12 (the second stored row), bottom-left at byte 0.
    EXPECT_EQ(std::vector<uint8_t>(bits + 12, bits + 16), (std::vector<uint8_t> { 0xCC, 0xBB, 0xAA, 0x00 }));
    EXPECT_EQ(std::vector<uint8_t>(bits, bits + 4), (std::vector<uint8_t> { 0x33, 0x22, 0x11, 0x00 }));
}

TEST(Sections, OnlyBottomUpThirtyTwoBitSectionsOfSaneSizesAreMade)
{
    TestDevice device;
    auto refused = [](int32_t width, int32_t height, uint16_t bitCount, uint32_t compression, uint32_t size = 40) {
        BitmapInfoHeader header;
        header.size = size;
        header.width = width;
        header.height = height;
        header.bitCount = bitCount;
        header.compression = compression;
        void* bits = &header;
        BitmapHandle bitmap = CreateDIBSection({}, header, &bits);
        return !bitmap && bits == nullptr;
    };
    EXPECT_TRUE(refused(0, 5, 32, 0));
    EXPECT_TRUE(refused(5, 0, 32, 0));
    EXPECT_TRUE(refused(-5, 5, 32, 0));
    EXPECT_TRUE(refused(5, -5, 32, 0));
    EXPECT_TRUE(refused(5, 5, 24, 0));
    EXPECT_TRUE(refused(5, 5, 32, 3));
    EXPECT_TRUE(refused(5, 5, 32, 0, 12));
    EXPECT_TRUE(refused(100000, 10, 32, 0));
    EXPECT_TRUE(refused(16384, 16384, 32, 0));
    EXPECT_TRUE(refused(INT32_MAX, INT32_MAX, 32, 0));
    EXPECT_FALSE(refused(16384, 1, 32, 0));
}

TEST(Sections, CompatibleBitmapsAreThirtyTwoBitsToo)
{
    TestDevice device;
    DeviceContext screen = GetDC({});
    Size size;
    BitmapHandle empty = CreateCompatibleBitmap(screen, 0, 7);
    ASSERT_TRUE(GetBitmapSize(empty, size));
    EXPECT_EQ(size, (Size { 1, 1 }));
    EXPECT_FALSE(CreateCompatibleBitmap(screen, -1, 7));
    EXPECT_FALSE(CreateCompatibleBitmap(screen, 70000, 7));
    EXPECT_FALSE(CreateCompatibleBitmap(DeviceContext { 4242 }, 7, 7));
    EXPECT_FALSE(GetBitmapSize(BitmapHandle { 4242 }, size));

    // Every colour goes through a compatible bitmap unchanged.
    BitmapHandle bitmap = CreateCompatibleBitmap(screen, 2, 1);
    DeviceContext dc = CreateCompatibleDC(screen);
    SelectObject(dc, bitmap);
    FillRect(dc, { 0, 0, 1, 1 }, CreateSolidBrush(Rgb(0x12, 0x34, 0x56)));
    FillRect(dc, { 1, 0, 2, 1 }, CreateSolidBrush(Rgb(0xFE, 0x01, 0x80)));
    SectionDc section(2, 1, 0);
    ASSERT_TRUE(BitBlt(section.Dc(), 0, 0, 2, 1, dc, 0, 0, kSourceCopy));
    EXPECT_EQ(section.At(0, 0), 0x123456u);
    EXPECT_EQ(section.At(1, 0), 0xFE0180u);
    ReleaseDC({}, screen);
}

TEST(BitBlt, CopiesOnlyWhereSourceAndDestinationBothExist)
{
    TestDevice device;
    SectionDc source(4, 3);
    SectionDc target(5, 4, 0);
    Number(source);
    struct Case {
        int32_t x, y, width, height, sourceX, sourceY;
    };
    Case const cases[] = {
        { 1, 1, 2, 2, 1, 0 }, // inside both
        { 0, 0, 5, 5, -1, -1 }, // source partly outside on the top and left
        { 3, 2, 9, 9, 0, 0 }, // destination partly outside
        { -2, -1, 4, 3, 2, 1 }, // both partly outside
        { 0, 0, 3, 3, 10, 0 }, // source wholly outside: nothing moves
        { 0, 0, -3, 3, 0, 0 }, // negative size: nothing moves
    };
    for (Case const& c : cases) {
        target.Fill(0);
        Grid expected = ExpectedCopy(Snapshot(target), Snapshot(source), c.x, c.y, c.width, c.height, c.sourceX, c.sourceY);
        ASSERT_TRUE(BitBlt(target.Dc(), c.x, c.y, c.width, c.height, source.Dc(), c.sourceX, c.sourceY, kSourceCopy));
        EXPECT_EQ(Snapshot(target), expected) << "copy to " << c.x << "," << c.y << " from " << c.sourceX << "," << c.sourceY;
    }
}

TEST(BitBlt, OverlappingCopiesWithinOneBitmapReadBeforeTheyWrite)
{
    TestDevice device;
    SectionDc section(9, 7);
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int32_t> position(-4, 10);
    std::uniform_int_distribution<int32_t> extent(1, 9);
    for (int round = 0; round < 400; ++round) {
        Number(section);
        int32_t x = position(random), y = position(random), sourceX = position(random), sourceY = position(random);
        int32_t width = extent(random), height = extent(random);
        Grid before = Snapshot(section);
        Grid expected = ExpectedCopy(before, before, x, y, width, height, sourceX, sourceY);
        ASSERT_TRUE(BitBlt(section.Dc(), x, y, width, height, section.Dc(), sourceX, sourceY, kSourceCopy));
        ASSERT_EQ(Snapshot(section), expected) << "round " << round;
    }
    // Whole rows, which move as one block, up and down by every distance.
    for (int32_t sourceY = -3; sourceY <= 9; ++sourceY) {
        for (int32_t y : { -2, 0, 1, 3, 6 }) {
            Number(section);
            Grid before = Snapshot(section);
            Grid expected = ExpectedCopy(before, before, 0, y, 12, 5, 0, sourceY);
            ASSERT_TRUE(BitBlt(section.Dc(), 0, y, 12, 5, section.Dc(), 0, sourceY, kSourceCopy));
            ASSERT_EQ(Snapshot(section), expected) << "rows from " << sourceY << " to " << y;
        }
    }
}

TEST(BitBlt, WindowContextsReadAndWriteTheClientArea)
{
    TestDevice device;
    RegisterClass({ u"Blit.Class", 0, PlainProcedure, 0, {} });
    WindowHandle window
        = CreateWindowEx(0, u"Blit.Class", u"", Style::Popup | Style::Caption, 0, 0, 30, 40, {}, {}, nullptr);
    DeviceContext dc = GetDC(window);
    SectionDc source(2, 2);
    Number(source);
    // Into the client area at (1, 1), then back out of it.
    ASSERT_TRUE(BitBlt(dc, 1, 1, 2, 2, source.Dc(), 0, 0, kSourceCopy));
    SectionDc copy(4, 4, 0);
    ASSERT_TRUE(BitBlt(copy.Dc(), 0, 0, 4, 4, dc, 0, 0, kSourceCopy));
    EXPECT_EQ(copy.At(1, 1), source.At(0, 0));
    EXPECT_EQ(copy.At(2, 2), source.At(1, 1));
    // The client area ends where the window's frame begins: nothing above it is read.
    copy.Fill(0);
    ASSERT_TRUE(BitBlt(copy.Dc(), 0, 0, 4, 4, dc, 0, -2, kSourceCopy));
    EXPECT_EQ(copy.At(0, 0), 0u);
    EXPECT_EQ(copy.At(0, 1), 0u);
    EXPECT_EQ(copy.At(1, 3), source.At(0, 0));
    ReleaseDC(window, dc);
}
