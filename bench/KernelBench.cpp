// Every pixel kernel against its anchor, in one run: what a library that is
// known to be fast, the memory functions or our own reference kernels take
// for the same pixels. A ratio above 1 means ours is faster.

#include "bench/KernelFigures.h"
#include "bench/RatioHarness.h"
#include "platform/headless/HeadlessDevice.h"
#include "platform/pixels/PixelKernels.h"

#include <cstdio>

int main()
{
    platform::HeadlessDevice device({});
    platform::ScopedBackend installed(device);
    std::printf("kernels: %s\n", platform::pixels::ActiveKernels().name);

    bench::RatioHarness harness;
    bench::CompareFillAndCopy(harness);
    bench::CompareIconBlend(harness);
    bench::CompareTextBlend(harness);
    bench::CompareBlur(harness);
    bench::CompareWithReference(harness);
    harness.PrintRatios();
    return 0;
}
