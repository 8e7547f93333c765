#include "platform/pixels/KernelSets.h"

#include <utility>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace platform::pixels::baseline {
#define KERNEL_PIXELS 4
#include "platform/pixels/VectorKernels.inl"
}

namespace platform::pixels {

Kernels const& BaselineKernels()
{
    using namespace baseline;
    static constexpr Kernels kBaseline { "baseline", Fill, BlendCoverage, BlendIcon, MoveTowards, SmoothPlain,
        SmoothTinted, Ramp, ScaleChannels, AddChannels, MakeGray };
    return kBaseline;
}

}
