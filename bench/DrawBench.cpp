// Filling and copying a whole screen of 480 x 272 through device contexts,
// against memset and memcpy of the same bytes; and a short text.

#include "platform/Drawing.h"
#include "platform/headless/HeadlessDevice.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using namespace platform;

namespace {

constexpr int32_t kWidth = 480;
constexpr int32_t kHeight = 272;
constexpr size_t kBytes = size_t(kWidth) * kHeight * 4;

// A simulated device with two screen-sized memory device contexts.
class Screens {
public:
    Screens()
        : device_({})
        , scope_(device_)
    {
        for (DeviceContext& dc : dcs_) {
            dc = CreateCompatibleDC({});
            BitmapInfoHeader header;
            header.width = kWidth;
            header.height = kHeight;
            SelectObject(dc, CreateDIBSection(dc, header, nullptr));
        }
    }
    DeviceContext First() const { return dcs_[0]; }
    DeviceContext Second() const { return dcs_[1]; }

private:
    HeadlessDevice device_;
    ScopedBackend scope_;
    DeviceContext dcs_[2];
};

void FillRectScreen(benchmark::State& state)
{
    Screens screens;
    BrushHandle brush = CreateSolidBrush(Rgb(0x12, 0x34, 0x56));
    for (auto _ : state)
        FillRect(screens.First(), { 0, 0, kWidth, kHeight }, brush);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}
BENCHMARK(FillRectScreen);

void MemsetScreen(benchmark::State& state)
{
    std::vector<uint8_t> pixels(kBytes);
    for (auto _ : state) {
        std::memset(pixels.data(), 0x56, pixels.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}
BENCHMARK(MemsetScreen);

void BitBltScreen(benchmark::State& state)
{
    Screens screens;
    for (auto _ : state)
        BitBlt(screens.Second(), 0, 0, kWidth, kHeight, screens.First(), 0, 0, kSourceCopy);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}
BENCHMARK(BitBltScreen);

void MemcpyScreen(benchmark::State& state)
{
    std::vector<uint8_t> from(kBytes, 1), to(kBytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBytes));
}
BENCHMARK(MemcpyScreen);

void DrawTextLine(benchmark::State& state)
{
    Screens screens;
    SetBkMode(screens.First(), BackgroundMode::Transparent);
    for (auto _ : state) {
        Rect rect { 0, 0, kWidth, 20 };
        benchmark::DoNotOptimize(DrawText(screens.First(), u"Speicher: 12,50 MB / 64,00 MB", -1, rect, 0x820));
    }
}
BENCHMARK(DrawTextLine);

}
