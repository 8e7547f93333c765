// A short text drawn through a device context on a screen of 480 x 272 (the
// pixel kernels against their anchors are kernel_bench's).

#include "platform/Drawing.h"
#include "platform/headless/HeadlessDevice.h"

#include <benchmark/benchmark.h>

using namespace platform;

namespace {

void DrawTextLine(benchmark::State& state)
{
    HeadlessDevice device({});
    ScopedBackend installed(device);
    DeviceContext dc = CreateCompatibleDC({});
    BitmapInfoHeader header;
    header.width = 480;
    header.height = 272;
    SelectObject(dc, CreateDIBSection(dc, header, nullptr));
    SetBkMode(dc, BackgroundMode::Transparent);
    for (auto _ : state) {
        Rect rect { 0, 0, 480, 20 };
        benchmark::DoNotOptimize(DrawText(dc, u"Speicher: 12,50 MB / 64,00 MB", -1, rect, 0x820));
    }
}
BENCHMARK(DrawTextLine);

}
