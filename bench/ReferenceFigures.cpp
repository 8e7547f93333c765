#include "bench/KernelFigures.h"
#include "bench/RandomPixels.h"
#include "bench/RatioHarness.h"
#include "panel/displays/Gauge.h"
#include "panel/displays/GradientBlend.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/pixels/PixelKernels.h"

#include <string>

namespace bench {

namespace {

using platform::pixels::KernelChoice;
using platform::pixels::ReferenceKernels;

// The same drawing with the active kernels and with the reference set.
template<typename Draw>
void CompareDrawing(RatioHarness& harness, std::string const& figure, Draw draw, size_t bytes)
{
    harness.Compare(figure, Repeated("active", draw), Repeated("reference", [=] {
        KernelChoice const choice(ReferenceKernels());
        draw();
    }),
        bytes);
}

void CompareCoolBar(RatioHarness& harness, panel::ScratchBitmap& surface, int32_t width, int32_t lineHeight)
{
    panel::GaugeRequest request;
    request.flags = panel::GaugeFlag::Bar | panel::GaugeFlag::Cool | panel::GaugeFlag::Percent;
    request.dc = surface.Dc();
    request.x = 16;
    request.y = 16;
    request.width = width;
    request.lineHeight = lineHeight;
    request.available = 600;
    request.total = 1024;
    panel::ScratchBitmap* const onto = &surface;
    // As a gauge does, one filter keeps its scratch from draw to draw.
    panel::BlurFilter filter;
    panel::BlurFilter* const blur = &filter;
    CompareDrawing(harness, "coolbar_" + std::to_string(width) + "x" + std::to_string(lineHeight) + "_reference",
        [=] { panel::DrawCoolBar(*onto, request, 0, 600, *blur); }, size_t(width) * size_t(lineHeight) * 4);
}

}

void CompareWithReference(RatioHarness& harness)
{
    panel::ScratchBitmap surface(kScreenWidth, kScreenHeight, true);
    FillRandom(reinterpret_cast<uint32_t*>(surface.Pixels()), size_t(kScreenWidth) * kScreenHeight, 4);
    panel::ScratchBitmap* const onto = &surface;
    CompareDrawing(harness, "gradient_480x272_reference",
        [=] { panel::GradientBlend(*onto, { 0, 0, kScreenWidth, kScreenHeight }, 0xC0F0E0D0, 0x40102030); },
        size_t(kScreenWidth) * kScreenHeight * 4);
    CompareCoolBar(harness, surface, 320, 16);
    CompareCoolBar(harness, surface, 128, 12);
}

}
