#include "platform/dialog/BoxIcons.h"

#include "platform/Drawing.h"
#include "platform/MessageBox.h"
#include "platform/draw/Surface.h"

#include <cstdlib>
#include <cstring>

namespace platform {

namespace {

// Shapes are tested in eighths of a pixel from the icon's centre; each pixel
// is sampled at 4 x 4 points, which smooths the edges in 16 steps.
constexpr int32_t kUnit = 8;
constexpr int32_t kSamples = 4;
constexpr int32_t kFullCover = kSamples * kSamples;
constexpr int32_t kHalf = kBoxIconSize * kUnit / 2;

constexpr ColorRef kWhite = Rgb(0xFF, 0xFF, 0xFF);
constexpr ColorRef kBlack = Rgb(0x00, 0x00, 0x00);
constexpr ColorRef kRed = Rgb(0xE0, 0x20, 0x20);
constexpr ColorRef kDarkRed = Rgb(0x80, 0x00, 0x00);
constexpr ColorRef kBlue = Rgb(0x20, 0x60, 0xE0);
constexpr ColorRef kDarkBlue = Rgb(0x00, 0x00, 0x80);
constexpr ColorRef kYellow = Rgb(0xFF, 0xD8, 0x00);
constexpr ColorRef kDarkYellow = Rgb(0x80, 0x60, 0x00);

template<typename Shape>
void Paint(Surface& picture, ColorRef color, Shape const& inside)
{
    uint32_t const pixel = PixelOf(color);
    for (int32_t y = 0; y < kBoxIconSize; ++y) {
        uint32_t* row = picture.Row(y);
        for (int32_t x = 0; x < kBoxIconSize; ++x) {
            int32_t covered = 0;
            for (int32_t sy = 0; sy < kSamples; ++sy) {
                for (int32_t sx = 0; sx < kSamples; ++sx)
                    covered += inside(x * kUnit + 2 * sx + 1 - kHalf, y * kUnit + 2 * sy + 1 - kHalf) ? 1 : 0;
            }
            if (covered > 0)
                row[x] = Mixed(row[x], pixel, kFullCover - covered, covered, kFullCover);
        }
    }
}

auto Disc(int32_t centreX, int32_t centreY, int32_t radius)
{
    return [=](int32_t x, int32_t y) {
        int32_t const dx = x - centreX;
        int32_t const dy = y - centreY;
        return dx * dx + dy * dy <= radius * radius;
    };
}

auto Bar(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    return [=](int32_t x, int32_t y) { return x >= left && x <= right && y >= top && y <= bottom; };
}

// Apex at the top in the middle, base along `bottom`.
auto Triangle(int32_t top, int32_t bottom, int32_t halfBase)
{
    return [=](int32_t x, int32_t y) { return y >= top && y <= bottom && std::abs(x) * (bottom - top) <= (y - top) * halfBase; };
}

void DrawDisc(Surface& picture, ColorRef rim, ColorRef face)
{
    Paint(picture, rim, Disc(0, 0, 120));
    Paint(picture, face, Disc(0, 0, 112));
}

void DrawError(Surface& picture)
{
    DrawDisc(picture, kDarkRed, kRed);
    Paint(picture, kWhite, [](int32_t x, int32_t y) {
        return std::abs(x) <= 56 && std::abs(y) <= 56 && (std::abs(x - y) <= 22 || std::abs(x + y) <= 22);
    });
}

// A hook from the left over the top round to the middle, a stem, a dot.
void DrawQuestion(Surface& picture)
{
    DrawDisc(picture, kDarkBlue, kBlue);
    Paint(picture, kWhite, [](int32_t x, int32_t y) {
        int32_t const dy = y + 36;
        int32_t const distance = x * x + dy * dy;
        bool const hook = distance >= 24 * 24 && distance <= 44 * 44 && !(x < 0 && dy > 0);
        return hook || Bar(-10, -12, 10, 36)(x, y);
    });
    Paint(picture, kWhite, Disc(0, 62, 14));
}

void DrawWarning(Surface& picture)
{
    Paint(picture, kDarkYellow, Triangle(-116, 108, 124));
    Paint(picture, kYellow, Triangle(-98, 100, 110));
    Paint(picture, kBlack, Bar(-12, -52, 12, 28));
    Paint(picture, kBlack, Disc(0, 60, 14));
}

void DrawInformation(Surface& picture)
{
    DrawDisc(picture, kDarkBlue, kBlue);
    Paint(picture, kWhite, Disc(0, -60, 16));
    Paint(picture, kWhite, [](int32_t x, int32_t y) {
        return Bar(-12, -28, 12, 64)(x, y) || Bar(-28, -28, 12, -18)(x, y) || Bar(-28, 54, 28, 64)(x, y);
    });
}

}

bool HasBoxIcon(uint32_t flags)
{
    uint32_t const icon = flags & Box::IconMask;
    return icon == Box::IconError || icon == Box::IconQuestion || icon == Box::IconWarning || icon == Box::IconInformation;
}

void DrawBoxIcon(DeviceContext dc, Point topLeft, uint32_t flags)
{
    if (!HasBoxIcon(flags))
        return;
    Surface picture(kBoxIconSize, kBoxIconSize, PixelOf(GetSysColor(SystemColor::ButtonFace)));
    switch (flags & Box::IconMask) {
    case Box::IconError: DrawError(picture); break;
    case Box::IconQuestion: DrawQuestion(picture); break;
    case Box::IconWarning: DrawWarning(picture); break;
    default: DrawInformation(picture); break;
    }

    BitmapInfoHeader header;
    header.width = kBoxIconSize;
    header.height = kBoxIconSize;
    void* bits = nullptr;
    BitmapHandle bitmap = CreateDIBSection(dc, header, &bits);
    if (!bitmap)
        return;
    // A section and a surface both keep bottom-up rows of four-byte pixels.
    std::memcpy(bits, picture.Bits(), size_t(kBoxIconSize) * kBoxIconSize * sizeof(uint32_t));
    DeviceContext source = CreateCompatibleDC(dc);
    BitmapHandle previous = SelectObject(source, bitmap);
    BitBlt(dc, topLeft.x, topLeft.y, kBoxIconSize, kBoxIconSize, source, 0, 0, kSourceCopy);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(bitmap);
}

}
