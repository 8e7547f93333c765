#include "platform/Backend.h"
#include "platform/Drawing.h"
#include "platform/Windowing.h"
#include "tests/platform/draw/DrawTestSupport.h"
#include "tests/support/TestDevice.h"
#include "tests/support/PixelNames.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace platform;
using testing_support::SectionDc;
using testing_support::TestDevice;

namespace {

using namespace testing_support::pixels;

LResult PlainProcedure(WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    return DefWindowProc(window, message, wParam, lParam);
}

}

TEST(DrawObjects, NewMemoryContextStartsWithTheStockBitmapAndTheDefaults)
{
    TestDevice device;
    DeviceContext dc = CreateCompatibleDC({});
    ASSERT_TRUE(dc);
    BitmapInfoHeader header;
    header.width = 4;
    header.height = 4;
    BitmapHandle section = CreateDIBSection(dc, header, nullptr);
    BitmapHandle stock = SelectObject(dc, section);
    Size size;
    ASSERT_TRUE(GetBitmapSize(stock, size));
    EXPECT_EQ(size, (Size { 1, 1 }));

    EXPECT_EQ(SetTextColor(dc, Rgb(1, 2, 3)), Rgb(0, 0, 0));
    EXPECT_EQ(SetBkColor(dc, Rgb(4, 5, 6)), Rgb(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, BackgroundMode::Transparent), BackgroundMode::Opaque);
    EXPECT_EQ(SetTextColor(dc, 0), Rgb(1, 2, 3));
    EXPECT_EQ(SetBkMode(dc, BackgroundMode { 7 }), BackgroundMode {});
    EXPECT_EQ(SetBkMode(dc, BackgroundMode::Opaque), BackgroundMode::Transparent);

    TextMetrics metrics;
    ASSERT_TRUE(GetTextMetrics(dc, metrics));
    EXPECT_EQ(metrics.height, 13);
    EXPECT_EQ(metrics.weight, 400);

    // The stock bitmap survives its deletion and stays selectable elsewhere.
    EXPECT_TRUE(DeleteObject(stock));
    EXPECT_TRUE(GetBitmapSize(stock, size));
    DeleteObject(SelectObject(dc, stock));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
}

TEST(DrawObjects, DefaultPenAndBrushOutlineInBlackAndFillInWhite)
{
    TestDevice device;
    SectionDc section(5, 4, 0x123456);
    ASSERT_TRUE(Rectangle(section.Dc(), 0, 0, 5, 4));
    EXPECT_EQ(section.Picture({ { kWhite, '.' }, { kBlack, '#' } }),
        (std::vector<std::string> { "#####", "#...#", "#...#", "#####" }));
}

TEST(DrawObjects, HandlesAreSmallDistinctNumbers)
{
    TestDevice device;
    std::set<uint32_t> seen;
    for (int i = 0; i < 20; ++i) {
        seen.insert(CreateCompatibleDC({}).value);
        seen.insert(CreateSolidBrush(Rgb(uint8_t(i), 0, 0)).value);
        seen.insert(CreatePen(kSolidPen, 1, 0).value);
        seen.insert(CreateCompatibleBitmap(GetDC({}), 2, 2).value);
        seen.insert(CreateFontIndirect(LogFont {}).value);
    }
    EXPECT_EQ(seen.size(), 100u);
    EXPECT_EQ(seen.count(0), 0u);
    EXPECT_LT(*seen.rbegin(), 1000u);
}

TEST(DrawObjects, SelectedObjectsCannotBeDeletedUntilDeselected)
{
    TestDevice device;
    SectionDc section(2, 2);
    DeviceContext dc = section.Dc();
    BrushHandle brush = CreateSolidBrush(Rgb(255, 0, 0));
    PenHandle pen = CreatePen(kSolidPen, 1, Rgb(0, 0, 255));
    FontHandle font = CreateFontIndirect(LogFont {});
    ASSERT_TRUE(brush && pen && font);

    BrushHandle oldBrush = SelectObject(dc, brush);
    PenHandle oldPen = SelectObject(dc, pen);
    FontHandle oldFont = SelectObject(dc, font);
    EXPECT_TRUE(oldBrush && oldPen && oldFont);
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_FALSE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(section.Bitmap()));

    // Still selected and working after the refused deletions.
    ASSERT_TRUE(Rectangle(dc, 0, 0, 2, 2));
    EXPECT_EQ(section.At(0, 0), 0x0000FFu);

    EXPECT_EQ(SelectObject(dc, oldBrush), brush);
    EXPECT_EQ(SelectObject(dc, oldPen), pen);
    EXPECT_EQ(SelectObject(dc, oldFont), font);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(font));

    // A deleted handle names nothing any more.
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_FALSE(SelectObject(dc, brush));
    EXPECT_FALSE(SelectObject(dc, pen));
    EXPECT_FALSE(SelectObject(dc, font));
    EXPECT_FALSE(FillRect(dc, { 0, 0, 1, 1 }, brush));
    EXPECT_FALSE(SelectObject(dc, BrushHandle {}));
}

TEST(DrawObjects, DeletingTheContextLeavesItsBitmapToItsOwner)
{
    TestDevice device;
    DeviceContext first = CreateCompatibleDC({});
    BitmapHandle bitmap = CreateCompatibleBitmap(first, 3, 3);
    ASSERT_TRUE(bitmap);
    SelectObject(first, bitmap);
    FillRect(first, { 0, 0, 3, 3 }, CreateSolidBrush(Rgb(0, 255, 0)));

    // Selected in one context, a bitmap cannot be selected into a second.
    DeviceContext second = CreateCompatibleDC({});
    EXPECT_FALSE(SelectObject(second, bitmap));

    EXPECT_TRUE(DeleteDC(first));
    Size size;
    ASSERT_TRUE(GetBitmapSize(bitmap, size));
    EXPECT_EQ(size, (Size { 3, 3 }));
    EXPECT_TRUE(SelectObject(second, bitmap));

    SectionDc copy(3, 3, 0);
    ASSERT_TRUE(BitBlt(copy.Dc(), 0, 0, 3, 3, second, 0, 0, kSourceCopy));
    EXPECT_EQ(copy.At(2, 2), 0x00FF00u);
}

TEST(DrawObjects, StockBrushesSurviveDeletion)
{
    TestDevice device;
    SectionDc section(3, 1, 0);
    BrushHandle white = GetStockBrush(StockBrush::White);
    BrushHandle gray = GetStockBrush(StockBrush::LightGray);
    BrushHandle hollow = GetStockBrush(StockBrush::Hollow);
    EXPECT_TRUE(DeleteObject(white));
    EXPECT_TRUE(DeleteObject(gray));
    EXPECT_TRUE(DeleteObject(hollow));
    EXPECT_EQ(GetStockBrush(StockBrush::White), white);
    EXPECT_FALSE(GetStockBrush(StockBrush { 3 }));

    EXPECT_TRUE(FillRect(section.Dc(), { 0, 0, 1, 1 }, white));
    EXPECT_TRUE(FillRect(section.Dc(), { 1, 0, 2, 1 }, gray));
    EXPECT_TRUE(FillRect(section.Dc(), { 2, 0, 3, 1 }, hollow));
    EXPECT_EQ(section.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(section.At(1, 0), 0xC0C0C0u);
    EXPECT_EQ(section.At(2, 0), 0x000000u);
}

TEST(DrawObjects, ScreenContextsComeAndGoInPairs)
{
    TestDevice device;
    DeviceContext screen = GetDC({});
    ASSERT_TRUE(screen);
    // The screen's context draws nowhere but takes every call.
    EXPECT_TRUE(FillRect(screen, { 0, 0, 10, 10 }, GetStockBrush(StockBrush::White)));
    EXPECT_TRUE(Rectangle(screen, 0, 0, 10, 10));
    EXPECT_TRUE(LineTo(screen, 5, 5));
    EXPECT_FALSE(DeleteDC(screen));

    DeviceContext memory = CreateCompatibleDC(screen);
    ASSERT_TRUE(memory);
    EXPECT_FALSE(ReleaseDC({}, memory));
    EXPECT_FALSE(BitBlt(memory, 0, 0, 1, 1, screen, 0, 0, kSourceCopy));
    EXPECT_TRUE(BitBlt(screen, 0, 0, 1, 1, memory, 0, 0, kSourceCopy));
    EXPECT_FALSE(BitBlt(memory, 0, 0, 1, 1, memory, 0, 0, 0x00F00021));

    EXPECT_FALSE(GetDC(WindowHandle { 999 }));
    EXPECT_FALSE(CreateCompatibleDC(DeviceContext { 999 }));
    EXPECT_TRUE(ReleaseDC({}, screen));
    EXPECT_FALSE(ReleaseDC({}, screen));
    EXPECT_FALSE(FillRect(screen, { 0, 0, 1, 1 }, GetStockBrush(StockBrush::White)));
}

TEST(DrawObjects, WindowContextDrawsIntoTheClientAreaOfTheCurrentPicture)
{
    TestDevice device;
    RegisterClass({ u"Draw.Class", 0, PlainProcedure, 0, {} });
    WindowHandle window
        = CreateWindowEx(0, u"Draw.Class", u"", Style::Popup | Style::Caption, 10, 10, 40, 50, {}, {}, nullptr);
    ASSERT_TRUE(window);
    WindowSystem& windows = CurrentBackend().Windows();
    Point offset = windows.ClientOffset(window);
    Rect client = GetClientRect(window);
    ASSERT_GT(offset.y, 0);

    DeviceContext dc = GetDC(window);
    ASSERT_TRUE(dc);
    BrushHandle red = CreateSolidBrush(Rgb(255, 0, 0));
    // Reaches past every edge: only the client area is painted.
    ASSERT_TRUE(FillRect(dc, { -5, -5, 100, 100 }, red));
    Surface const& picture = *windows.PictureOf(window);
    EXPECT_EQ(picture.Row(offset.y)[offset.x], 0xFF0000u);
    EXPECT_EQ(picture.Row(offset.y + client.bottom - 1)[offset.x + client.right - 1], 0xFF0000u);
    EXPECT_NE(picture.Row(offset.y - 1)[offset.x], 0xFF0000u);
    EXPECT_NE(picture.Row(offset.y)[offset.x - 1], 0xFF0000u);

    // The same context follows the window to its new, larger picture.
    ASSERT_TRUE(MoveWindow(window, 10, 10, 80, 90));
    Rect grown = GetClientRect(window);
    ASSERT_TRUE(FillRect(dc, { grown.right - 1, grown.bottom - 1, grown.right, grown.bottom }, red));
    Surface const& resized = *windows.PictureOf(window);
    EXPECT_EQ(resized.Row(offset.y + grown.bottom - 1)[offset.x + grown.right - 1], 0xFF0000u);

    EXPECT_FALSE(ReleaseDC({}, dc));
    DestroyWindow(window);
    // A context of a window that is gone draws nowhere.
    EXPECT_TRUE(FillRect(dc, { 0, 0, 1, 1 }, red));
    EXPECT_TRUE(ReleaseDC(window, dc));
}

TEST(DrawObjects, PensOfUnknownStylesAreRefusedAndTheNullPenDrawsNothing)
{
    TestDevice device;
    EXPECT_FALSE(CreatePen(-1, 1, 0));
    EXPECT_FALSE(CreatePen(7, 1, 0));
    SectionDc section(4, 1);
    PenHandle none = CreatePen(kNullPen, 1, 0);
    ASSERT_TRUE(none);
    SelectObject(section.Dc(), none);
    MoveToEx(section.Dc(), 0, 0, nullptr);
    EXPECT_TRUE(LineTo(section.Dc(), 4, 0));
    EXPECT_EQ(section.Picture({ { kWhite, '.' } }), (std::vector<std::string> { "...." }));
    Point where;
    MoveToEx(section.Dc(), 0, 0, &where);
    EXPECT_EQ(where, (Point { 4, 0 }));
}

TEST(DrawObjects, CreationFailsOnceTooManyObjectsLive)
{
    TestDevice device;
    std::vector<BrushHandle> brushes;
    for (int i = 0; i < 100000; ++i) {
        BrushHandle brush = CreateSolidBrush(0);
        if (!brush)
            break;
        brushes.push_back(brush);
    }
    ASSERT_LT(brushes.size(), 100000u);
    EXPECT_FALSE(CreateCompatibleDC({}));
    ASSERT_TRUE(DeleteObject(brushes.back()));
    EXPECT_TRUE(CreateSolidBrush(0));
}
