#include "bench/KernelFigures.h"
#include "bench/PixmanImage.h"
#include "bench/RatioHarness.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Drawing.h"
#include "platform/draw/Canvas.h"
#include "platform/draw/Surface.h"

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

using namespace platform;

namespace {

constexpr int32_t kLineHeight = 20;

// A real line of text as our renderer draws it, white on black, read back as
// 8-bit coverage (rows from the top).
std::vector<uint8_t> TextCoverage()
{
    panel::ScratchBitmap line(kScreenWidth, kLineHeight, true);
    DeviceContext const dc = line.Dc();
    BrushHandle const black = CreateSolidBrush(Rgb(0, 0, 0));
    FillRect(dc, { 0, 0, kScreenWidth, kLineHeight }, black);
    DeleteObject(black);
    LogFont logFont;
    logFont.height = kLineHeight;
    FontHandle const font = CreateFontIndirect(logFont);
    FontHandle const previous = SelectObject(dc, font);
    SetTextColor(dc, Rgb(255, 255, 255));
    SetBkMode(dc, BackgroundMode::Transparent);
    std::u16string const phrase = u"Speicher: 12,50 MB / 64,00 MB  ";
    std::u16string text = phrase;
    Size extent;
    while (GetTextExtentPoint(dc, text.data(), int32_t(text.size()), extent) && extent.width < kScreenWidth)
        text += phrase;
    Rect rect { 0, 0, kScreenWidth, kLineHeight };
    DrawText(dc, text.data(), int32_t(text.size()), rect, TextFormat::SingleLine | TextFormat::NoPrefix);
    SelectObject(dc, previous);
    DeleteObject(font);

    std::vector<uint8_t> coverage(size_t(kScreenWidth) * kLineHeight);
    for (int32_t i = 0; i < kLineHeight; ++i) {
        uint32_t const* row = line.CursorAt(0, i).pixel;
        for (int32_t j = 0; j < kScreenWidth; ++j)
            coverage[size_t(i) * kScreenWidth + size_t(j)] = uint8_t(row[j] >> 8); // green
    }
    return coverage;
}

}

void CompareTextBlend(RatioHarness& harness)
{
    std::vector<uint8_t> coverage = TextCoverage();
    size_t partly = 0;
    size_t full = 0;
    for (uint8_t c : coverage) {
        partly += c != 0 && c != 255;
        full += c == 255;
    }
    std::printf("text coverage 480x20: %.1f %% of pixels partly covered, %.1f %% fully\n",
        100.0 * double(partly) / double(coverage.size()), 100.0 * double(full) / double(coverage.size()));
    if (partly + full == 0) {
        std::printf("text_480x20_pixman: no text was drawn; left out\n");
        return;
    }

    constexpr int32_t kTop = 126;
    Surface surface(kScreenWidth, kScreenHeight, 0x00203040);
    Surface pixmanSurface(kScreenWidth, kScreenHeight, 0x00203040);
    Canvas canvas(surface, { 0, 0, kScreenWidth, kScreenHeight }, { 0, 0 });
    constexpr uint32_t kColor = 0x00F0C020;
    pixman_color_t const solid { 0xF0F0, 0xC0C0, 0x2020, 0xFFFF };
    PixmanImage const source(pixman_image_create_solid_fill(&solid));
    PixmanImage const mask = PixmanBits(PIXMAN_a8, kScreenWidth, kLineHeight, coverage.data(), kScreenWidth);
    PixmanImage const target
        = PixmanBits(PIXMAN_x8r8g8b8, kScreenWidth, kScreenHeight, pixmanSurface.Bits(), kScreenWidth * 4);

    Canvas* const ours = &canvas;
    uint8_t const* const map = coverage.data();
    pixman_image_t* const pixmanSource = source.get();
    pixman_image_t* const pixmanMask = mask.get();
    pixman_image_t* const pixmanTarget = target.get();
    Contender const blend = Repeated(
        "BlendCoverage", [=] { ours->BlendCoverage({ 0, kTop }, kScreenWidth, kLineHeight, map, kColor); });
    harness.Compare("text_480x20_pixman", blend, Repeated("pixman", [=] {
            pixman_image_composite32(PIXMAN_OP_OVER, pixmanSource, pixmanMask, pixmanTarget, 0, 0, 0, 0, 0, kTop,
                kScreenWidth, kLineHeight);
        }),
        size_t(kScreenWidth) * kLineHeight * 4, OnReferenceKernels(blend));
}

}
