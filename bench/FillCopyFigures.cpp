#include "bench/KernelFigures.h"
#include "bench/RatioHarness.h"
#include "panel/displays/ScratchBitmap.h"
#include "platform/Drawing.h"

#include <cstring>
#include <memory>

namespace bench {

using namespace platform;

void CompareFillAndCopy(RatioHarness& harness)
{
    size_t const rowBytes = size_t(kScreenWidth) * 4;
    size_t const bytes = rowBytes * kScreenHeight;
    panel::ScratchBitmap first(kScreenWidth, kScreenHeight, true);
    panel::ScratchBitmap second(kScreenWidth, kScreenHeight, true);
    BrushHandle const brush = CreateSolidBrush(Rgb(0x12, 0x34, 0x56));
    DeviceContext const dc = first.Dc();
    auto memory = std::make_unique<uint8_t[]>(bytes);
    uint8_t* const buffer = memory.get();

    Contender const fillScreen = Repeated("FillRect", [=] { FillRect(dc, { 0, 0, kScreenWidth, kScreenHeight }, brush); });
    harness.Compare("fill_480x272_memset", fillScreen, Repeated("memset", [=] {
        std::memset(buffer, 0x56, bytes);
        Escape(buffer);
    }),
        bytes, OnReferenceKernels(fillScreen));

    constexpr int32_t kLeft = 200;
    constexpr int32_t kTop = 120;
    constexpr int32_t kSide = 16;
    Contender const fillSquare
        = Repeated("FillRect", [=] { FillRect(dc, { kLeft, kTop, kLeft + kSide, kTop + kSide }, brush); });
    harness.Compare("fill_16x16_memset", fillSquare, Repeated("memset", [=] {
            uint8_t* row = buffer + kTop * rowBytes + kLeft * 4;
            for (int32_t i = 0; i < kSide; ++i, row += rowBytes)
                std::memset(row, 0x56, kSide * 4);
            Escape(buffer);
        }),
        size_t(kSide) * kSide * 4, OnReferenceKernels(fillSquare));

    DeviceContext const source = second.Dc();
    uint8_t const* const from = second.Pixels();
    harness.Compare("blit_480x272_memcpy",
        Repeated("BitBlt",
            [=] { BitBlt(dc, 0, 0, kScreenWidth, kScreenHeight, source, 0, 0, kSourceCopy); }),
        Repeated("memcpy", [=] {
            std::memcpy(buffer, from, bytes);
            Escape(buffer);
        }),
        bytes);
    DeleteObject(brush);
}

}
