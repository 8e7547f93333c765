#include "bench/KernelFigures.h"
#include "bench/PixmanImage.h"
#include "bench/RandomPixels.h"
#include "bench/RatioHarness.h"
#include "panel/buttons/IconImage.h"
#include "panel/buttons/PixelTransforms.h"
#include "panel/displays/ScratchBitmap.h"

#include <cstring>
#include <string>
#include <vector>

namespace bench {

namespace {

void CompareOneIcon(RatioHarness& harness, int width, int height, AlphaMix mix)
{
    panel::ScratchBitmap surface(kScreenWidth, kScreenHeight, true);
    size_t const screenPixels = size_t(kScreenWidth) * kScreenHeight;
    FillRandom(reinterpret_cast<uint32_t*>(surface.Pixels()), screenPixels, 1);
    panel::IconImage image { uint32_t(width), uint32_t(height) };
    FillRandomWithAlpha(image.Words(), size_t(width), size_t(height), mix, 2);

    // pixman gets the same bytes in memory of its own.
    std::vector<uint32_t> screen(screenPixels);
    std::memcpy(screen.data(), surface.Pixels(), screenPixels * 4);
    std::vector<uint32_t> icon(size_t(width) * height);
    std::memcpy(icon.data(), image.Pixels(), image.ByteCount());
    PixmanImage const source = PixmanBits(PIXMAN_a8r8g8b8, width, height, icon.data(), width * 4);
    PixmanImage const target
        = PixmanBits(PIXMAN_x8r8g8b8, kScreenWidth, kScreenHeight, screen.data(), kScreenWidth * 4);

    // A small icon sits inside the screen, as the buttons place them.
    int32_t const x = width < kScreenWidth ? 16 : 0;
    int32_t const y = height < kScreenHeight ? 16 : 0;
    std::string const figure = "blend_" + std::to_string(width) + "x" + std::to_string(height)
        + (mix == AlphaMix::Uniform ? "_random" : "_icon") + "_pixman";
    panel::ScratchBitmap* const onto = &surface;
    panel::IconImage const* const from = &image;
    pixman_image_t* const pixmanSource = source.get();
    pixman_image_t* const pixmanTarget = target.get();
    Contender const blend = Repeated("BlendOnto", [=] { panel::BlendOnto(*from, *onto, x, y); });
    harness.Compare(figure, blend, Repeated("pixman", [=] {
        pixman_image_composite32(PIXMAN_OP_OVER, pixmanSource, nullptr, pixmanTarget, 0, 0, 0, 0, x, y, width, height);
    }),
        image.ByteCount(), OnReferenceKernels(blend));
}

}

void CompareIconBlend(RatioHarness& harness)
{
    CompareOneIcon(harness, 48, 48, AlphaMix::Uniform);
    CompareOneIcon(harness, kScreenWidth, kScreenHeight, AlphaMix::Uniform);
    CompareOneIcon(harness, 48, 48, AlphaMix::Icon);
    CompareOneIcon(harness, kScreenWidth, kScreenHeight, AlphaMix::Icon);
}

}
